#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <memory>

namespace wf::fuzz {
namespace {

class ShortReads : public FileReader {
public:
    explicit ShortReads(ReadInput input) : input_(std::move(input)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const std::string& sizes = input_.readSizes;
        if (!sizes.empty())
            size = std::min<std::size_t>(size, static_cast<unsigned char>(sizes[reads_++ % sizes.size()]));
        const std::size_t count = input_.text.copy(buffer, size, position_);
        position_ += count;
        return count;
    }

private:
    ReadInput input_;
    std::size_t position_ = 0;
    std::size_t reads_ = 0;
};

}  // namespace

std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t most) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> cut;
    std::size_t nul;
    while (cut.size() + 1 < most && (nul = rest.find('\0')) != std::string_view::npos) {
        cut.emplace_back(rest.substr(0, nul));
        rest.remove_prefix(nul + 1);
    }
    cut.emplace_back(rest);
    return cut;
}

ReadInput readInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> cut = fields(data, size, 2);
    if (cut.size() == 1) return {{}, std::move(cut[0])};
    return {std::move(cut[0]), std::move(cut[1])};
}

LineReader shortReadLines(ReadInput input) {
    return LineReader(std::make_unique<ShortReads>(std::move(input)), "fuzz input");
}

std::vector<std::string> referenceLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            line += text[i];
            continue;
        }
        lines.push_back(std::move(line));
        line.clear();
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

}  // namespace wf::fuzz
