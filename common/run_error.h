#pragma once
// A failure of one step: an error number and its description, as the programs
// show and log them. Steps raise it; each procedure catches it in its own handler
// (handled mode) or drops it (ignore mode). It never leaves a form.
#include <stdexcept>
#include <string>

namespace wf {

// Error numbers that behaviour depends on.
enum ErrorNumber : long {
    kErrInvalidProcedureCall = 5,
    kErrOutOfMemory = 7,
    kErrUserInterrupt = 18,
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrFileAlreadyExists = 58,
    kErrDiskFull = 61,
    kErrPermissionDenied = 70,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrDialogCancelled = 32755,
};

class RunError : public std::runtime_error {
public:
    RunError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    long number() const { return number_; }
    std::string description() const { return what(); }

private:
    long number_;
};

// What a step the user stopped raises.
inline RunError userInterrupt() { return RunError(kErrUserInterrupt, "User interrupt occurred"); }

// Runs one step in ignore mode: a failing step is skipped. Returns whether it ran through.
template <class Step>
bool ignoreFailure(Step&& step) {
    try {
        step();
        return true;
    } catch (const RunError&) {
        return false;
    }
}

}  // namespace wf
