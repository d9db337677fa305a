#include "installer/operations/operation_outcome.h"

#include "common/user_interface.h"

namespace wf {
namespace {

constexpr const char* kComplete = "Process complete";
constexpr const char* kNotCompleted = "Process was not successfully completed";

}  // namespace

OperationOutcome definitionOutcome(ProcessServices& process, bool defined) {
    if (defined) return {kComplete, "Wrenfold database successfully defined", kOkOnly + kInformation};
    return {kNotCompleted,
            "An error was encountered while defining the Wrenfold database.\r\n\r\n"
            "The errors are listed in " +
                process.programFolder() + "\\ErrorLog.txt.",
            kOkOnly + kExclamation};
}

OperationOutcome demoDataOutcome(bool installed) {
    if (installed) return {kComplete, "Wrenfold demo data successfully installed", kOkOnly + kInformation};
    return {kNotCompleted, "An error was encountered while installing Wrenfold demo data", kOkOnly + kInformation};
}

std::uint64_t copyPercent(std::uint64_t copied, std::uint64_t total) { return total == 0 ? 100 : copied * 100 / total; }

std::string copyProgressText(const std::string& target, std::uint64_t percent) {
    return "Copying " + target.substr(target.find_last_of("\\/") + 1) + ": " + std::to_string(percent) + "%";
}

}  // namespace wf
