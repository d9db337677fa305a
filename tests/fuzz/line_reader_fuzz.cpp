// The line reader, fed in short reads, against the reference splitter.
#include <limits>

#include "common/line_reader.h"
#include "common/run_error.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// The longest line the reader hands out. It has no cap yet; once it has one, this
// is the reader's own constant, and a longer line must raise RunError instead.
constexpr std::size_t kLongestLine = std::numeric_limits<std::size_t>::max();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const wf::fuzz::ReadInput input = wf::fuzz::readInput(data, size);
    wf::LineReader reader = wf::fuzz::shortReadLines(input);
    for (const std::string& expected : wf::fuzz::referenceLines(input.text)) {
        if (expected.size() > kLongestLine) {
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
