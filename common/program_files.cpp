#include "common/program_files.h"

namespace wf {

std::string programFilePath(ProcessServices& process, const std::string& fileName) {
    return process.programFolder() + "\\" + fileName;
}

std::string errorLogPath(ProcessServices& process) { return programFilePath(process, "ErrorLog.txt"); }

}  // namespace wf
