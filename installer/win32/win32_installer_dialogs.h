#pragma once
// The installer's dialogs as real Windows dialogs: the database logon dialog, with
// the lookup of the SQL servers on the network behind its server button.
#include "common/user_interface.h"
#include "installer/dialogs/frm_util_lookup_code.h"
#include "installer/dialogs/installer_dialogs.h"

namespace wf::win32 {

class Win32InstallerDialogs : public InstallerDialogs {
public:
    // `ui` shows the lookup's messages; `serverList` lists the servers it offers.
    Win32InstallerDialogs(UserInterface& ui, ServerListSource serverList);

    bool showDbLogon(InstallerState& state) override;

private:
    UserInterface& ui_;
    ServerListSource serverList_;
};

}  // namespace wf::win32
