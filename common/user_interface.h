#pragma once
// User interface services shared by both programs: message boxes, the open-file
// dialog, the mouse pointer and the end of the program.
#include <optional>
#include <string>

namespace wf {

// Message box buttons and icons, combined by addition.
enum MessageStyle : int {
    kOkOnly = 0,
    kYesNo = 4,
    kCritical = 16,
    kQuestion = 32,
    kExclamation = 48,
    kInformation = 64,
};

// The button that closed a message box.
enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

struct OpenFileRequest {
    std::string title;
    std::string initialFileName;
    // Label and pattern pairs separated by "|", as "Label (x.exe)|x.exe|".
    std::string filter;
    std::string defaultExtension;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Shows a modal message box and returns the button chosen. An empty title
    // shows the program's own title.
    virtual int messageBox(const std::string& text, int style, const std::string& title) = 0;

    // Shows the open-file dialog; the full path chosen, or nothing when cancelled.
    // Raises RunError when the dialog cannot be shown.
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;

    // Shows the hourglass while a long operation runs, the normal pointer after it.
    virtual void setBusyPointer(bool busy) = 0;

    // Ends the program: the run stops after this call returns to the caller's end.
    virtual void endProgram() = 0;
};

}  // namespace wf
