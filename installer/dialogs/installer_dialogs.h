#pragma once
// The installer's modal dialogs, as its procedures open them. The Windows program
// shows real dialogs; tests answer through a double.
#include "installer/installer_state.h"

namespace wf {

class InstallerDialogs {
public:
    virtual ~InstallerDialogs() = default;

    // Shows the database logon dialog over the shared state and returns when it has
    // closed: after OK the three login fields hold the boxes' texts and bLogonOK is
    // true; after Cancel or the close box bLogonOK is false and the fields are unchanged.
    // Returns bLogonOK.
    virtual bool showDbLogon(InstallerState& state) = 0;
};

}  // namespace wf
