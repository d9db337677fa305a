#pragma once
// The running program and the programs it starts, as a test sets them up.
#include <string>
#include <vector>

#include "common/process_services.h"
#include "common/run_error.h"
#include "tests/doubles/fault_plan.h"

namespace wf::testing {

enum class ProcessOp { StartProgram };

inline const char* operationName(ProcessOp) { return "ProcessOp::StartProgram"; }

// A start its schedule fails finds no program (53).
using ProcessFaultPlan = FaultPlan<ProcessOp, RunError>;

class FakeProcessServices : public ProcessServices {
public:
    struct Start {
        std::string command;
        WindowStyle style;
    };

    std::string folder = "C:\\Wrenfold";
    std::string name = "WrenfoldClient";
    ProgramVersion version{1, 4, 0, 2};
    std::string arguments;
    double nextTaskId = 4242;

    std::vector<Start> starts;
    std::vector<double> activated;

    ProcessFaultPlan& faults() { return faults_; }

    std::string programFolder() override { return folder; }
    std::string programName() override { return name; }
    ProgramVersion programVersion() override { return version; }
    std::string commandLine() override { return arguments; }
    double startProgram(const std::string& command, WindowStyle style) override {
        if (const RunError* error = faults_.check(ProcessOp::StartProgram)) throw *error;
        starts.push_back({command, style});
        return nextTaskId;
    }
    void activateProgram(double taskId) override { activated.push_back(taskId); }

private:
    ProcessFaultPlan faults_{RunError(kErrFileNotFound, "File not found")};
};

}  // namespace wf::testing
