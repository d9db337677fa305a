#include "common/unexpected_failure.h"

#include <string>

#include "common/log_appender.h"
#include "common/program_files.h"
#include "common/sql/connection_string_syntax.h"

namespace wf {
namespace {

// Runs a step of the report whatever it raises: memory may be what ran out.
template <class Step>
void bestEffort(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

void reportUnexpectedFailure(const std::exception& failure, FileSystem& files, ProcessServices& process,
                             UserInterface& ui) {
    const std::string text = "The program ends after a failure it did not expect: " + std::string(failure.what());
    bestEffort([&] { appendLogEntry(files, errorLogPath(process), {withPasswordsHidden(text)}); });
    bestEffort([&] { ui.messageBox(text, kOkOnly + kCritical, ""); });
}

}  // namespace wf
