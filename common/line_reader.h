#pragma once
// Reads text lines as the classic line input does: a line ends at CR LF or at a
// lone CR; a lone LF belongs to the line. The one reader of every text file of
// both programs. The file is read a piece at a time, so a script of any size
// takes no more memory than its longest line.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "common/file_system.h"

namespace wf {

class LineReader {
public:
    // The most read from the file in one call.
    static constexpr std::size_t kPieceSize = 64 * 1024;

    explicit LineReader(std::unique_ptr<FileReader> file);

    // The next line without its end, or nothing at the end of the file. Raises
    // what the file raises when it cannot be read further.
    std::optional<std::string> next();

private:
    // Reads the next piece; false at the end of the file.
    bool readPiece();
    // True when a byte is waiting, reading the next piece when needed.
    bool hasByte();

    std::unique_ptr<FileReader> file_;
    std::unique_ptr<char[]> piece_;
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    bool atEnd_ = false;
};

// Opens the file `path` for reading by lines; raises as FileSystem::openForReading.
LineReader openLines(FileSystem& files, const std::string& path);

}  // namespace wf
