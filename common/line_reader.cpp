#include "common/line_reader.h"

#include <cstring>

#include "common/run_error.h"

namespace wf {

LineReader::LineReader(std::unique_ptr<FileReader> file, std::string fileName)
    : file_(std::move(file)), fileName_(std::move(fileName)), piece_(std::make_unique<char[]>(kPieceSize)) {}

void LineReader::append(std::string& line, const char* start, const char* end) const {
    if (line.size() + static_cast<std::size_t>(end - start) > kLineLengthLimit)
        throw RunError(kErrOutOfMemory, "A line of " + fileName_ + " is longer than " +
                                            std::to_string(kLineLengthLimit) + " characters: the file cannot be read.");
    line.append(start, end);
}

bool LineReader::readPiece() {
    if (atEnd_) return false;
    // The piece is counted as taken before the next is read: a read that fails
    // leaves nothing of it to count twice.
    piecesBefore_ += size_;
    size_ = 0;
    position_ = 0;
    size_ = file_->read(piece_.get(), kPieceSize);
    atEnd_ = size_ == 0;
    return !atEnd_;
}

bool LineReader::hasByte() { return position_ < size_ || readPiece(); }

std::optional<std::string> LineReader::next() {
    if (!hasByte()) return std::nullopt;
    std::string line;
    do {
        const char* start = piece_.get() + position_;
        const auto* end = static_cast<const char*>(std::memchr(start, '\r', size_ - position_));
        if (end == nullptr) {
            append(line, start, piece_.get() + size_);
            position_ = size_;
            continue;
        }
        append(line, start, end);
        position_ += static_cast<std::size_t>(end - start) + 1;
        // The LF of a CR LF may open the next piece.
        if (hasByte() && piece_[position_] == '\n') ++position_;
        return line;
    } while (hasByte());
    return line;
}

LineReader openLines(FileSystem& files, const std::string& path) {
    return LineReader(files.openForReading(path), path);
}

}  // namespace wf
