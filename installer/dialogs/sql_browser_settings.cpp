#include "installer/dialogs/sql_browser_settings.h"

#include <charconv>
#include <string_view>

namespace wf {
namespace {

template <class Number>
bool readNumber(std::string_view text, Number& number) {
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

bool isDottedAddress(std::string_view host) {
    int parts = 0;
    while (true) {
        std::size_t dot = host.find('.');
        unsigned part = 0;
        if (!readNumber(host.substr(0, dot), part) || part > 255) return false;
        ++parts;
        if (dot == std::string_view::npos) break;
        host.remove_prefix(dot + 1);
    }
    return parts == 4;
}

bool readTarget(std::string_view target, SqlBrowserSettings& settings) {
    std::size_t colon = target.rfind(':');
    if (colon == std::string_view::npos) return false;
    std::string_view host = target.substr(0, colon);
    if (!isDottedAddress(host) || !readNumber(target.substr(colon + 1), settings.port) || settings.port == 0) return false;
    settings.host = std::string(host);
    settings.broadcast = false;
    return true;
}

bool readTimeouts(std::string_view text, SqlBrowserSettings& settings) {
    std::chrono::milliseconds* fields[] = {&settings.firstAnswer, &settings.afterAnswer, &settings.total};
    for (std::size_t i = 0; i < 3; ++i) {
        std::size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i == 2)) return false;
        unsigned milliseconds = 0;
        if (!readNumber(text.substr(0, comma), milliseconds)) return false;
        *fields[i] = std::chrono::milliseconds(milliseconds);
        if (comma != std::string_view::npos) text.remove_prefix(comma + 1);
    }
    return true;
}

}  // namespace

std::optional<SqlBrowserSettings> sqlBrowserSettingsFrom(const char* target, const char* timeouts) {
    SqlBrowserSettings settings;
    if (target && !readTarget(target, settings)) return std::nullopt;
    if (timeouts && !readTimeouts(timeouts, settings)) return std::nullopt;
    return settings;
}

}  // namespace wf
