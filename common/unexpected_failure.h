#pragma once
// The last word of a program that a failure it did not expect ends: the failure
// goes to the program's error log and to the user, so that no program ends
// without saying why.
#include <exception>

#include "common/file_system.h"
#include "common/process_services.h"
#include "common/user_interface.h"

namespace wf {

// Appends `failure` to ErrorLog.txt beside the program, its passwords hidden, and
// shows it in a critical message box. Raises nothing: a log that cannot be
// written still leaves the message.
void reportUnexpectedFailure(const std::exception& failure, FileSystem& files, ProcessServices& process,
                             UserInterface& ui);

}  // namespace wf
