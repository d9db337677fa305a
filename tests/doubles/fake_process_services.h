#pragma once
// The running program and the programs it starts, as a test sets them up.
#include <string>
#include <vector>

#include "common/process_services.h"
#include "common/run_error.h"

namespace wf::testing {

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
    // When set, starting a program raises this failure.
    long startFailure = 0;
    double nextTaskId = 4242;

    std::vector<Start> starts;
    std::vector<double> activated;

    std::string programFolder() override { return folder; }
    std::string programName() override { return name; }
    ProgramVersion programVersion() override { return version; }
    std::string commandLine() override { return arguments; }
    double startProgram(const std::string& command, WindowStyle style) override {
        if (startFailure != 0) throw RunError(startFailure, startFailure == kErrFileNotFound ? "File not found" : "Start failed");
        starts.push_back({command, style});
        return nextTaskId;
    }
    void activateProgram(double taskId) override { activated.push_back(taskId); }
};

}  // namespace wf::testing
