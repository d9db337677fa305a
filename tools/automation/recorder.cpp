#include <fstream>

#include "tools/automation/automation.h"

namespace wf::automation {

void Recorder::note(const std::string& line) { lines_.push_back(line); }

bool Recorder::saveTo(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines_) file << line << "\r\n";
    return static_cast<bool>(file.flush());
}

}  // namespace wf::automation
