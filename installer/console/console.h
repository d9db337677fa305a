#pragma once
// The console dbprep's command line writes to, and the user's interrupt
// (Ctrl+C) while an operation runs.
#include <string>

namespace wf {

class Console {
public:
    virtual ~Console() = default;

    // Prints `text` and ends the line; the line breaks inside it stay.
    virtual void printLine(const std::string& text) = 0;

    // From now on an interrupt (or the console's closing) does not end the
    // program at once, as it may be halfway through exchanging a company's
    // databases: `notice` is printed and interruptRequested() answers true.
    virtual void holdInterrupts(const std::string& notice) = 0;
    virtual bool interruptRequested() = 0;
};

}  // namespace wf
