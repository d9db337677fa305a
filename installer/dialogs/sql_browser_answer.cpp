#include "installer/dialogs/sql_browser_answer.h"

#include <cstddef>
#include <cstdint>

namespace wf {
namespace {

constexpr unsigned char kAnswerType = 0x05;
constexpr std::size_t kHeaderSize = 3;
// Far beyond a real name: the browser gives the computer's short name, and an
// instance name has at most 16 characters.
constexpr std::size_t kLongestName = 255;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if ((ca | 0x20) != (cb | 0x20)) return false;
    }
    return true;
}

// One record's name, or nothing when the record lacks its server or instance.
std::optional<std::string> listedName(std::string_view server, std::string_view instance) {
    if (server.empty() || instance.empty()) return std::nullopt;
    if (equalsIgnoringCase(instance, "MSSQLSERVER")) return std::string(server);
    return std::string(server) + "\\" + std::string(instance);
}

// A name the dialog can list: of a length a real server's can have, and nothing in
// it that would garble the list.
bool isListable(std::string_view name) {
    if (name.size() > kLongestName) return false;
    for (char c : name) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::string>> serverNamesInAnswer(std::string_view datagram) {
    if (datagram.size() < kHeaderSize || static_cast<unsigned char>(datagram[0]) != kAnswerType) return std::nullopt;
    std::size_t length = static_cast<unsigned char>(datagram[1]) | (static_cast<std::size_t>(static_cast<unsigned char>(datagram[2])) << 8);
    if (length != datagram.size() - kHeaderSize || length == 0) return std::nullopt;
    std::string_view text = datagram.substr(kHeaderSize);

    std::vector<std::string> names;
    std::string_view server;
    std::string_view instance;
    bool recordOpen = false;
    std::size_t position = 0;
    // Key and value alternate; an empty key (";;") closes a record.
    while (position < text.size()) {
        std::size_t keyEnd = text.find(';', position);
        if (keyEnd == std::string_view::npos) return std::nullopt;
        std::string_view key = text.substr(position, keyEnd - position);
        position = keyEnd + 1;
        if (key.empty()) {
            std::optional<std::string> name = listedName(server, instance);
            if (!name) return std::nullopt;
            if (isListable(*name)) names.push_back(*name);
            server = instance = {};
            recordOpen = false;
            continue;
        }
        std::size_t valueEnd = text.find(';', position);
        if (valueEnd == std::string_view::npos) return std::nullopt;
        std::string_view value = text.substr(position, valueEnd - position);
        position = valueEnd + 1;
        recordOpen = true;
        if (key == "ServerName") server = value;
        else if (key == "InstanceName") instance = value;
    }
    if (recordOpen || names.empty()) return std::nullopt;
    return names;
}

}  // namespace wf
