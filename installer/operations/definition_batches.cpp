#include "installer/operations/definition_batches.h"

#include "common/text.h"

namespace wf {

bool isBatchSeparator(const std::string& line) { return toUpper(line) == "GO"; }

std::optional<std::string> DefinitionBatches::next() {
    std::string batch;
    while (std::optional<std::string> line = lines_.next()) {
        if (isBatchSeparator(*line)) return batch;
        batch += *line;
    }
    return std::nullopt;
}

}  // namespace wf
