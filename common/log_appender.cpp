#include "common/log_appender.h"

namespace wf {

void appendLogEntry(FileSystem& files, const std::string& logPath, const std::vector<std::string>& lines) {
    std::string entry;
    for (const std::string& line : lines) {
        entry += line;
        entry += "\r\n";
    }
    files.append(logPath, entry);
}

}  // namespace wf
