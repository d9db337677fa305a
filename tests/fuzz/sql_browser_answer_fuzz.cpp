// A SQL Browser answer as any datagram may be: a name it lists is never empty and
// never takes in the ";" that ends a value.
#include "installer/dialogs/sql_browser_answer.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<std::vector<std::string>> names =
        wf::serverNamesInAnswer(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& name : names.value_or(std::vector<std::string>()))
        wf::fuzz::require(!name.empty() && name.find(';') == std::string::npos);
    return 0;
}
