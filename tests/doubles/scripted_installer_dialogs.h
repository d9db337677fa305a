#pragma once
// A user who answers the installer's dialogs from a script.
#include <deque>
#include <optional>
#include <string>

#include "installer/dialogs/installer_dialogs.h"

namespace wf::testing {

class ScriptedInstallerDialogs : public InstallerDialogs {
public:
    struct Logon {
        std::string server;
        std::string user;
        std::string password;
    };

    // Answers of the logon dialog in order: a login confirmed with OK, or nothing
    // for Cancel. A dialog with no scripted answer is cancelled.
    std::deque<std::optional<Logon>> logons;
    int logonsShown = 0;

    bool showDbLogon(InstallerState& state) override {
        ++logonsShown;
        std::optional<Logon> answer;
        if (!logons.empty()) {
            answer = logons.front();
            logons.pop_front();
        }
        state.dialogs.bLogonOK = answer.has_value();
        if (!answer) return false;
        state.login.strDBServer = answer->server;
        state.login.strDBUser = answer->user;
        state.login.strDBPassword = answer->password;
        return true;
    }
};

}  // namespace wf::testing
