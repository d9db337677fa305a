#pragma once
// Shows frmUtilLookupCode as the lookup dialog of its template: the grid as a list
// view in report mode, the sort arrow in the value column's heading.
#include "installer/dialogs/shared_lookup_form.h"

namespace wf::win32 {

class LookupView : public LookupDialogPresenter {
public:
    // Shows the form modally over the active window; returns when it has unloaded.
    void showModal(frmUtilLookupCode& form) override;
};

}  // namespace wf::win32
