#include "installer/win32/form_dialog.h"

namespace wf::win32 {

struct FormDialog::Start {
    const ViewMaker& makeView;
    std::exception_ptr error;
};

void FormDialog::showModal(int templateId, HWND owner, const ViewMaker& makeView) {
    Start start{makeView, nullptr};
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, dialogProc,
                    reinterpret_cast<LPARAM>(&start));
    if (start.error) std::rethrow_exception(start.error);
}

INT_PTR CALLBACK FormDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<FormDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            auto& start = *reinterpret_cast<Start*>(lParam);
            try {
                view = start.makeView(dialog).release();
            } catch (...) {
                start.error = std::current_exception();
                EndDialog(dialog, IDCANCEL);
                return FALSE;
            }
            view->error_ = &start.error;
            SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(view));
            bool focusFirst = false;
            view->guarded([&] { focusFirst = view->load(); });
            return focusFirst;
        }
        case WM_NCDESTROY:
            delete view;
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return FALSE;
        case WM_CTLCOLORSTATIC:
            // Answered with the brush itself, not a flag.
            if (!view) return FALSE;
            return reinterpret_cast<INT_PTR>(view->staticColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
        default: {
            if (!view) return FALSE;
            bool handled = false;
            view->guarded([&] { handled = view->onMessage(message, wParam, lParam); });
            return handled;
        }
    }
}

void FormDialog::handle(const std::function<void()>& handler) {
    if (ended_) return;
    if (handling_) {
        guarded(handler);
        return;
    }
    handling_ = true;
    guarded([&] {
        readState();
        handler();
        if (formUnloaded()) {
            end();
            return;
        }
        showState();
    });
    handling_ = false;
}

void FormDialog::guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        // The first error is the one to report: a later one comes from ending.
        if (!*error_) *error_ = std::current_exception();
        end();
    }
}

void FormDialog::end() {
    if (ended_) return;
    ended_ = true;
    EndDialog(dialog_, IDOK);
}

}  // namespace wf::win32
