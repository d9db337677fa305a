// The line reader, fed in short reads, against the reference splitter.
#include "common/line_reader.h"
#include "common/run_error.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const wf::fuzz::ReadInput input = wf::fuzz::readInput(data, size);
    wf::LineReader reader = wf::fuzz::shortReadLines(input);
    for (const std::string& expected : wf::fuzz::referenceLines(input.text)) {
        // A line longer than the reader takes must raise RunError instead.
        if (expected.size() > wf::LineReader::kLineLengthLimit) {
            try {
                reader.next();
            } catch (const wf::RunError&) {
                return 0;
            }
            __builtin_trap();
        }
        wf::fuzz::require(reader.next() == expected);
    }
    wf::fuzz::require(!reader.next());
    return 0;
}
