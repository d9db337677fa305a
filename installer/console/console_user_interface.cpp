#include "installer/console/console_user_interface.h"

namespace wf {

ConsoleUserInterface::ConsoleUserInterface(Console& console, std::string confirmingOption, bool confirmed)
    : console_(console), confirmingOption_(std::move(confirmingOption)), confirmed_(confirmed) {}

int ConsoleUserInterface::messageBox(const std::string& text, int style, const std::string&) {
    console_.printLine(text);
    if ((style & 0xF) != kYesNo) return kAnswerOk;
    if (confirmed_) {
        console_.printLine("Yes (" + confirmingOption_ + ").");
        return kAnswerYes;
    }
    console_.printLine("No: " + confirmingOption_ + " is not given.");
    return kAnswerNo;
}

std::optional<std::string> ConsoleUserInterface::openFile(const OpenFileRequest&) { return std::nullopt; }

void ConsoleUserInterface::setBusyPointer(bool) {}

void ConsoleUserInterface::endProgram() {}

bool ConsoleInstallerDialogs::showDbLogon(InstallerState& state) {
    state.dialogs.bLogonOK = false;
    return false;
}

}  // namespace wf
