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

    void showDbLogon(InstallerState& state) override {
        ++logonsShown;
        std::optional<Logon> answer;
        if (!logons.empty()) {
            answer = logons.front();
            logons.pop_front();
        }
        state.bLogonOK = answer.has_value();
        if (!answer) return;
        state.strDBServer = answer->server;
        state.strDBUser = answer->user;
        state.strDBPassword = answer->password;
    }
};

}  // namespace wf::testing
