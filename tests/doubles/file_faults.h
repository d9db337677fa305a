#pragma once
// The fault plan of the file services: their operations, failed with the error
// numbers and texts the programs see. A failing versionText answers empty, as the
// seam never raises there. Read is each piece read from an opened file.
#include <memory>

#include "common/file_system.h"
#include "common/run_error.h"
#include "tests/doubles/fault_plan.h"

namespace wf::testing {

enum class FileOp {
    FindFile, ListFolder, Attributes, FileExists, OpenForReading, Read, WriteAll, Append, VersionText, Delete, Move,
    Copy, Replace
};

using FileFaultPlan = FaultPlan<FileOp, RunError>;

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
