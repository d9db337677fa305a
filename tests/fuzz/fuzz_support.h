#pragma once
// What the fuzz harnesses share: an input cut into fields, a text read in short
// reads of the input's choosing, the line splitting every text file must get, and
// the check that stops a run as a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_reader.h"

namespace wf::fuzz {

// A failed property is a finding: libFuzzer keeps the input that caused it.
inline void require(bool holds) {
    if (!holds) __builtin_trap();
}

// The input cut at its first NUL bytes into at most `most` fields; the last one
// keeps the rest, NUL bytes included.
std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t most);

// A text file as an input lays it out: the sizes of its reads, a NUL, then the
// text; an input without a NUL is all text, read as much as asked each time.
struct ReadInput {
    std::string readSizes;
    std::string text;
};

ReadInput readInput(const std::uint8_t* data, std::size_t size);

// The lines of the input's text, read in reads whose sizes take the bytes of its
// read sizes in turn (1 to 255 bytes each, never more than asked).
LineReader shortReadLines(ReadInput input);

// `text` in lines, the simplest way: a line ends at CR LF or a lone CR, a lone LF
// belongs to the line, and text after the last line end is one more line.
std::vector<std::string> referenceLines(std::string_view text);

}  // namespace wf::fuzz
