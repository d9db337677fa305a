#pragma once
// Reads text lines as the classic line input does: a line ends at CR LF or at a
// lone CR; a lone LF belongs to the line. The one reader of every text file of
// both programs.
#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace wf {

class LineReader {
public:
    explicit LineReader(std::string content) : content_(std::move(content)) {}

    // The next line without its end, or nothing at the end of the text.
    std::optional<std::string> next();

private:
    std::string content_;
    std::size_t position_ = 0;
};

// Reads the file `path` and returns a reader over it; raises as FileSystem::readAll.
LineReader openLines(FileSystem& files, const std::string& path);

}  // namespace wf
