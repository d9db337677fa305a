#include "installer/operations/definition_batches.h"

#include "common/run_error.h"
#include "common/text.h"

namespace wf {

bool isBatchSeparator(const std::string& line) { return toUpper(line) == "GO"; }

std::optional<std::string> DefinitionBatches::next() {
    std::string batch;
    while (std::optional<std::string> line = lines_.next()) {
        if (isBatchSeparator(*line)) return batch;
        // A batch is held whole until it is sent: a script without GO lines would
        // otherwise be held whole. No real batch comes near the longest line.
        if (batch.size() + line->size() > LineReader::kLineLengthLimit)
            throw RunError(kErrOutOfMemory, "A batch of " + lines_.fileName() + " is longer than " +
                                                std::to_string(LineReader::kLineLengthLimit) +
                                                " characters: the script cannot be run.");
        batch += *line;
    }
    return std::nullopt;
}

}  // namespace wf
