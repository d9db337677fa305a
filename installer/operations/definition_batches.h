#pragma once
// The batches of a database-definition script. Lines are read as the line reader
// reads them; a line that is "GO" in any case, with nothing else on it, ends a
// batch and is not sent; every other line is added to the batch as it stands,
// with nothing between it and the line before. Lines after the last "GO" line
// belong to no batch. Only the batch being built is held, never the script.
#include <optional>
#include <string>

#include "common/line_reader.h"

namespace wf {

bool isBatchSeparator(const std::string& line);

class DefinitionBatches {
public:
    explicit DefinitionBatches(LineReader lines) : lines_(std::move(lines)) {}

    // The next batch, or nothing at the end of the script. Raises when the
    // script cannot be read further, and RunError (kErrOutOfMemory, naming the
    // script) for a batch longer than the longest line the reader takes.
    std::optional<std::string> next();

    // Bytes of the script read so far.
    std::uint64_t bytesRead() const { return lines_.bytesTaken(); }

private:
    LineReader lines_;
};

}  // namespace wf
