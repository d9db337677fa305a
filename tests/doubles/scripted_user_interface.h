#pragma once
// A user who answers message boxes and the open-file dialog from a script, and a
// record of everything shown.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/run_error.h"
#include "common/user_interface.h"

namespace wf::testing {

class ScriptedUserInterface : public UserInterface {
public:
    struct ShownMessage {
        std::string text;
        int style;
        std::string title;
    };

    // Answers given in order; a box with no scripted answer is answered with its first button.
    std::deque<int> answers;
    // Dialog outcomes in order: a path, or nothing for Cancel.
    std::deque<std::optional<std::string>> fileChoices;
    // When set, showing the dialog raises this failure.
    long dialogFailure = 0;

    std::vector<ShownMessage> messages;
    std::vector<OpenFileRequest> fileDialogs;
    std::vector<bool> pointer;
    int ended = 0;

    int messageBox(const std::string& text, int style, const std::string& title) override {
        messages.push_back({text, style, title});
        if (!answers.empty()) {
            int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (style & 0xF) == kYesNo ? kAnswerYes : kAnswerOk;
    }
    std::optional<std::string> openFile(const OpenFileRequest& request) override {
        fileDialogs.push_back(request);
        if (dialogFailure != 0) throw RunError(dialogFailure, "Dialog failed");
        if (fileChoices.empty()) return std::nullopt;
        std::optional<std::string> choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }
    void setBusyPointer(bool busy) override { pointer.push_back(busy); }
    void endProgram() override { ++ended; }
};

}  // namespace wf::testing
