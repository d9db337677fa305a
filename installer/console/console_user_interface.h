#pragma once
// The installer's user interface on a console: each message is printed, each
// question answered by the command line's option instead of a user, and no
// logon dialog is shown: the login is the company's own, as the wizard reads it.
#include "common/user_interface.h"
#include "installer/console/console.h"
#include "installer/dialogs/installer_dialogs.h"

namespace wf {

class ConsoleUserInterface : public UserInterface {
public:
    // Questions are answered Yes when `confirmed`, by `confirmingOption`; only
    // the commands that have one ask any.
    ConsoleUserInterface(Console& console, std::string confirmingOption, bool confirmed);

    int messageBox(const std::string& text, int style, const std::string& title) override;
    // Nothing the command line runs asks for a file: there is never one.
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    void setBusyPointer(bool busy) override;
    // The run ends through its own outcome.
    void endProgram() override;

private:
    Console& console_;
    std::string confirmingOption_;
    bool confirmed_;
};

class ConsoleInstallerDialogs : public InstallerDialogs {
public:
    // The logon dialog is never shown: the login stays the one that failed.
    bool showDbLogon(InstallerState& state) override;
};

}  // namespace wf
