#pragma once
// The fault plan of the file services: their operations, failed with the error
// numbers and texts the programs see. A failing versionText answers empty, as the
// seam never raises there.
#include "common/run_error.h"
#include "tests/doubles/fault_plan.h"

namespace wf::testing {

enum class FileOp { FindFile, ListFolder, Attributes, FileExists, ReadAll, WriteAll, Append, VersionText, Delete, Move, Copy, Replace };

using FileFaultPlan = FaultPlan<FileOp, RunError>;

}  // namespace wf::testing
