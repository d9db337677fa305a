#pragma once
// What the user is told while an operation runs and once it has ended, in the
// wizard's status line and message boxes or on the command line's console.
#include <cstdint>
#include <string>

#include "common/process_services.h"

namespace wf {

inline constexpr const char* kDefiningStatus = "Defining database, please wait...";
inline constexpr const char* kInstallingStatus = "Installing data, please wait...";

struct OperationOutcome {
    const char* status;  // the processing page's last status
    std::string message;
    int style;  // of the message box
};

OperationOutcome definitionOutcome(ProcessServices& process, bool defined);
OperationOutcome demoDataOutcome(bool installed);

// How far the copy of the database file `target` has come, in whole percent.
std::uint64_t copyPercent(std::uint64_t copied, std::uint64_t total);

// "Copying <file name of target>: <percent>%".
std::string copyProgressText(const std::string& target, std::uint64_t percent);

}  // namespace wf
