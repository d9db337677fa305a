// A definition script, fed in short reads, split at its GO lines, against the
// batches the reference lines make.
#include "installer/operations/definition_batches.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool isGo(const std::string& line) { return line.size() == 2 && (line[0] | 0x20) == 'g' && (line[1] | 0x20) == 'o'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const wf::fuzz::ReadInput input = wf::fuzz::readInput(data, size);
    wf::DefinitionBatches batches(wf::fuzz::shortReadLines(input));
    std::string expected;
    for (const std::string& line : wf::fuzz::referenceLines(input.text)) {
        if (!isGo(line)) {
            expected += line;
            continue;
        }
        wf::fuzz::require(batches.next() == expected);
        expected.clear();
    }
    wf::fuzz::require(!batches.next());
    return 0;
}
