#include "installer/dialogs/shared_lookup_form.h"

namespace wf {

SharedLookupForm::SharedLookupForm(InstallerState& state, UserInterface& ui, ServerListSource serverList)
    : state_(state), ui_(ui), serverList_(std::move(serverList)) {}

frmUtilLookupCode& SharedLookupForm::instance() {
    if (!current_) {
        released_.reset();
        current_ = std::make_unique<frmUtilLookupCode>(state_, ui_, serverList_,
                                                       [this] { released_ = std::move(current_); });
    }
    return *current_;
}

}  // namespace wf
