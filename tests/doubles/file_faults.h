#pragma once
// The fault plan of the file services: their operations, failed with the error
// numbers and texts the programs see. A failing versionText or originalFilename
// answers empty, a failing isWholeProgram false and a failing fileSize 0, as the
// seam never raises there.
// Read is each piece read from an opened file; Copy is either kind of copy.
#include <memory>

#include "common/file_system.h"
#include "common/run_error.h"
#include "tests/doubles/fault_plan.h"

namespace wf::testing {

enum class FileOp {
    FindFile,
    ListFolder,
    Attributes,
    FileExists,
    OpenForReading,
    Read,
    WriteAll,
    Append,
    VersionText,
    Delete,
    Move,
    Copy,
    Replace,
    Hash,
    WholeProgram,
    OriginalFilename,
    Size
};

inline const char* operationName(FileOp op) {
    static const char* const names[] = {
        "FileOp::FindFile",       "FileOp::ListFolder", "FileOp::Attributes",   "FileOp::FileExists",
        "FileOp::OpenForReading", "FileOp::Read",       "FileOp::WriteAll",     "FileOp::Append",
        "FileOp::VersionText",    "FileOp::Delete",     "FileOp::Move",         "FileOp::Copy",
        "FileOp::Replace",        "FileOp::Hash",       "FileOp::WholeProgram", "FileOp::OriginalFilename",
        "FileOp::Size"};
    return names[static_cast<int>(op)];
}

using FileFaultPlan = FaultPlan<FileOp, RunError>;

// What a call its schedule fails gives: disk full (61), so that a copy stops halfway.
inline RunError usualFileFault() { return RunError(kErrDiskFull, "Disk full"); }

// A file opened through a double: each piece read meets the plan first.
class PlannedFileReader : public FileReader {
public:
    PlannedFileReader(std::unique_ptr<FileReader> wrapped, FileFaultPlan& faults)
        : wrapped_(std::move(wrapped)), faults_(faults) {}
    std::size_t read(char* buffer, std::size_t size) override {
        if (const RunError* error = faults_.check(FileOp::Read)) throw *error;
        return wrapped_->read(buffer, size);
    }

private:
    std::unique_ptr<FileReader> wrapped_;
    FileFaultPlan& faults_;
};

}  // namespace wf::testing
