// The two settings of the server list: the target, then a NUL and the time-outs
// (unset without one). Settings that are read are written back the plain way and
// must read the same again.
#include <string>

#include "installer/dialogs/sql_browser_settings.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool same(const wf::SqlBrowserSettings& a, const wf::SqlBrowserSettings& b) {
    return a.host == b.host && a.port == b.port && a.broadcast == b.broadcast && a.firstAnswer == b.firstAnswer &&
           a.afterAnswer == b.afterAnswer && a.total == b.total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> input = wf::fuzz::fields(data, size, 2);
    const char* timeouts = input.size() == 2 ? input[1].c_str() : nullptr;
    const std::optional<wf::SqlBrowserSettings> read = wf::sqlBrowserSettingsFrom(input[0].c_str(), timeouts);
    if (!read) return 0;
    const std::string target = read->host + ":" + std::to_string(read->port);
    const std::string times = std::to_string(read->firstAnswer.count()) + "," +
                              std::to_string(read->afterAnswer.count()) + "," + std::to_string(read->total.count());
    const std::optional<wf::SqlBrowserSettings> again = wf::sqlBrowserSettingsFrom(target.c_str(), times.c_str());
    wf::fuzz::require(again && same(*read, *again));
    return 0;
}
