#include "client/client_context.h"

namespace wf {

std::string clientVersionText(ProcessServices& process) {
    ProgramVersion version = process.programVersion();
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::string clientLogTimestamp(Clock& clock) {
    LocalTimestamp now = clock.now();
    return clock.shortDateText(now) + " " + clock.timeText(now);
}

}  // namespace wf
