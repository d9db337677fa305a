#pragma once
// A form shown modally as the dialog of its template: the dialog procedure that
// keeps the view with its window, and the boundary around the form's handlers. An
// error escaping a handler ends the dialog and is raised again to whoever showed
// it, once the system's dialog call has returned: it never unwinds through the
// system's own frames.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

namespace wf::win32 {

class FormDialog {
public:
    virtual ~FormDialog() = default;
    FormDialog(const FormDialog&) = delete;
    FormDialog& operator=(const FormDialog&) = delete;

    using ViewMaker = std::function<std::unique_ptr<FormDialog>(HWND dialog)>;
    // Shows the dialog of `templateId` over `owner` (may be null) with the view
    // `makeView` makes for it, and returns when the dialog has ended; raises the
    // error a handler raised.
    static void showModal(int templateId, HWND owner, const ViewMaker& makeView);

protected:
    explicit FormDialog(HWND dialog) : dialog_(dialog) {}

    // Loads the form into the window; true when the system is to give the first
    // control of the tab order the focus.
    virtual bool load() = 0;
    // The view's own messages; false when the dialog's default handling is wanted.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Copies the window's state into the form, and the form's state to the window.
    virtual void readState() = 0;
    virtual void showState() = 0;
    virtual bool formUnloaded() const = 0;
    // The background brush of a static control whose text the view colours itself
    // on `dc`; null leaves the control to the dialog's own colours.
    virtual HBRUSH staticColours(HWND /*control*/, HDC /*dc*/) { return nullptr; }

    // Runs one handler of the form between copying the window's state in and the
    // form's out; ends the dialog when the form has unloaded. Nothing runs once the
    // dialog has ended. A handler that lets the window answer while it runs can see
    // another handle() meanwhile: that one runs on the state as it stands, and the
    // running handler shows the outcome of both.
    void handle(const std::function<void()>& handler);
    bool ended() const { return ended_; }
    // True while a handler runs.
    bool handling() const { return handling_; }

    HWND dialog_;

private:
    struct Start;
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs `step`; an error it raises is kept for the caller and ends the dialog.
    void guarded(const std::function<void()>& step);
    void end();

    bool ended_ = false;
    bool handling_ = false;
    std::exception_ptr* error_ = nullptr;
};

}  // namespace wf::win32
