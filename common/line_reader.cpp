#include "common/line_reader.h"

namespace wf {

std::optional<std::string> LineReader::next() {
    if (position_ >= content_.size()) return std::nullopt;
    std::size_t end = content_.find('\r', position_);
    if (end == std::string::npos) {
        std::string line = content_.substr(position_);
        position_ = content_.size();
        return line;
    }
    std::string line = content_.substr(position_, end - position_);
    position_ = end + 1;
    if (position_ < content_.size() && content_[position_] == '\n') ++position_;
    return line;
}

LineReader openLines(FileSystem& files, const std::string& path) {
    return LineReader(files.readAll(path));
}

}  // namespace wf
