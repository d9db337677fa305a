#pragma once
// The one instance of the lookup form that serves every caller: created on first
// use and released when it unloads, so that each showing starts from a fresh form.
#include <memory>

#include "installer/dialogs/frm_util_lookup_code.h"

namespace wf {

// Shows the lookup form modally: Form_Load, Form_Activate and the user's actions
// until the form has unloaded itself.
class LookupDialogPresenter {
public:
    virtual ~LookupDialogPresenter() = default;
    virtual void showModal(frmUtilLookupCode& form) = 0;
};

class SharedLookupForm {
public:
    SharedLookupForm(InstallerState& state, UserInterface& ui, ServerListSource serverList);

    frmUtilLookupCode& instance();

private:
    InstallerState& state_;
    UserInterface& ui_;
    ServerListSource serverList_;
    std::unique_ptr<frmUtilLookupCode> current_;
    // A released form lives on until the next use: it is still running the
    // handler that released it.
    std::unique_ptr<frmUtilLookupCode> released_;
};

}  // namespace wf
