#include "installer/dialogs/server_list.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>

#include "common/run_error.h"
#include "installer/dialogs/sql_browser_answer.h"

namespace wf {
namespace {

// Every instance of the servers reached: to all of them, or to one host.
constexpr char kRequestEveryServer = 0x02;
constexpr char kRequestOneHost = 0x03;

// Far more servers than a network offers: answers that list more are a flood, and
// may not fill memory and the dialog without end.
constexpr std::size_t kMostNames = 1000;

}  // namespace

std::vector<std::string> collectServerNames(DatagramSocket& socket, const SqlBrowserSettings& settings,
                                            const SteadyNow& now) {
    using Clock = std::chrono::steady_clock;
    const char request = settings.broadcast ? kRequestEveryServer : kRequestOneHost;
    if (!settings.broadcast) socket.connect(settings.host, settings.port);
    socket.sendTo(settings.host, settings.port, std::string_view(&request, 1), settings.broadcast);

    const Clock::time_point start = now();
    const Clock::time_point end = start + settings.total;
    Clock::time_point deadline = std::min(start + settings.firstAnswer, end);
    std::set<std::string> names;
    while (names.size() < kMostNames) {
        const Clock::time_point current = now();
        if (current >= deadline) break;
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - current);
        std::optional<std::string> datagram = socket.receive(wait);
        if (!datagram) break;
        std::optional<std::vector<std::string>> listed = serverNamesInAnswer(*datagram);
        if (!listed) continue;
        for (auto name = listed->begin(); name != listed->end() && names.size() < kMostNames; ++name)
            names.insert(*name);
        deadline = std::min(now() + settings.afterAnswer, end);
    }
    return {names.begin(), names.end()};
}

std::vector<std::string> GetServerList() {
    std::optional<SqlBrowserSettings> settings =
        sqlBrowserSettingsFrom(std::getenv("WRENFOLD_SQL_BROWSER"), std::getenv("WRENFOLD_SQL_BROWSER_TIMEOUTS"));
    if (!settings) return {""};
    std::vector<std::string> names;
    try {
        names = collectServerNames(*openDatagramSocket(), *settings);
    } catch (const RunError&) {
        return {""};
    }
    if (names.empty()) return {""};
    return names;
}

}  // namespace wf
