#pragma once
// Reads text lines as the classic line input does: a line ends at CR LF or at a
// lone CR; a lone LF belongs to the line. The one reader of every text file of
// both programs. The file is read a piece at a time, so a script of any size
// takes no more memory than its longest line, and a line may be no longer than
// kLineLengthLimit: a file without line ends (or with LF ends only) would
// otherwise be read whole, until memory runs out.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/file_system.h"

namespace wf {

class LineReader {
public:
    // The most read from the file in one call.
    static constexpr std::size_t kPieceSize = 64 * 1024;
    // The longest line read. No real file comes near it: the lines the programs
    // read are a path, a host file's key=value or heading line, or a line of SQL
    // text, none of them longer than some thousand characters.
    static constexpr std::size_t kLineLengthLimit = 16 * 1024 * 1024;

    // Reads `file`, which `fileName` names in failures.
    LineReader(std::unique_ptr<FileReader> file, std::string fileName);

    // The next line without its end, or nothing at the end of the file. Raises
    // what the file raises when it cannot be read further, and RunError
    // (kErrOutOfMemory, naming the file) for a line longer than kLineLengthLimit.
    std::optional<std::string> next();

    // The name the file is given in failures.
    const std::string& fileName() const { return fileName_; }

    // Bytes of the file taken so far: the lines handed out and their ends.
    std::uint64_t bytesTaken() const { return piecesBefore_ + position_; }

private:
    // Reads the next piece; false at the end of the file.
    bool readPiece();
    // True when a byte is waiting, reading the next piece when needed.
    bool hasByte();
    // Adds the bytes from `start` to `end` to `line`, within the limit.
    void append(std::string& line, const char* start, const char* end) const;

    std::unique_ptr<FileReader> file_;
    std::string fileName_;
    std::unique_ptr<char[]> piece_;
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    std::uint64_t piecesBefore_ = 0;  // bytes of the pieces before this one
    bool atEnd_ = false;
};

// Opens the file `path` for reading by lines; raises as FileSystem::openForReading.
LineReader openLines(FileSystem& files, const std::string& path);

}  // namespace wf
