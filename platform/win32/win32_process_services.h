#pragma once
#include <windows.h>

#include <map>

#include "common/process_services.h"
#include "platform/win32/win32_handles.h"

namespace wf::win32 {

// The running program and the programs it starts, over the Win32 process API.
class Win32ProcessServices : public ProcessServices {
public:
    std::string programFolder() override;
    std::string programName() override;
    ProgramVersion programVersion() override;
    std::string commandLine() override;
    double startProgram(const std::string& command, WindowStyle style) override;
    void activateProgram(double taskId) override;

    // The part of a full command line after the program name and the blanks after it.
    static std::string argumentsOf(const std::string& fullCommandLine);

private:
    std::string programPath();

    // Started programs by task identifier, kept for activation.
    std::map<DWORD, KernelHandle> started_;
};

}  // namespace wf::win32
