#include "net/browser_responder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "tds/bytes.h"
#include "text.h"

namespace wf::standin {
namespace {

enum BrowserRequest : char {
    kBroadcastAll = 0x02,
    kUnicastAll = 0x03,
    kUnicastInstance = 0x04,
};
constexpr char kAnswer = 0x05;
constexpr std::size_t kMaxInstanceName = 32;
constexpr std::size_t kMaxAnswerData = 65535;
constexpr const char* kDefaultInstance = "MSSQLSERVER";

std::string record(const BrowserSettings& settings, const std::string& instance) {
    return "ServerName;" + settings.serverName + ";InstanceName;" + instance +
           ";IsClustered;No;Version;15.0.2000.5;tcp;" + std::to_string(settings.tcpPort) + ";;";
}

std::string frame(const std::string& data) {
    ByteWriter out;
    out.u8(kAnswer);
    out.u16le(static_cast<std::uint16_t>(data.size()));
    out.raw(data);
    return out.bytes();
}

}  // namespace

std::string browserAnswer(const std::string& request, const BrowserSettings& settings) {
    if (request.empty()) return {};
    std::string data;
    if ((request[0] == kBroadcastAll || request[0] == kUnicastAll) && request.size() == 1) {
        for (const std::string& instance : settings.instances) data += record(settings, instance);
    } else if (request[0] == kUnicastInstance && request.size() >= 2 && request.back() == '\0' &&
               request.size() - 2 <= kMaxInstanceName) {
        std::string wanted = request.substr(1, request.size() - 2);
        for (const std::string& instance : settings.instances) {
            if (equalsNoCase(instance, wanted)) {
                data = record(settings, instance);
                break;
            }
        }
    }
    if (data.empty() || data.size() > kMaxAnswerData) return {};
    return frame(data);
}

BrowserResponder::BrowserResponder(int port, BrowserSettings settings) : settings_(std::move(settings)) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) throw std::system_error(errno, std::generic_category(), "socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    socklen_t length = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        int error = errno;
        ::close(socket_);
        throw std::system_error(error, std::generic_category(), "browser port");
    }
    port_ = ntohs(address.sin_port);
}

BrowserResponder::~BrowserResponder() { ::close(socket_); }

void BrowserResponder::serve(const StopSignal& stop) {
    while (waitForSocketOrStop(socket_, stop)) {
        char buffer[1024];
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        ssize_t got = ::recvfrom(socket_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (got <= 0 || settings_.silent) continue;
        std::string answer = browserAnswer(std::string(buffer, static_cast<std::size_t>(got)), settings_);
        if (answer.empty()) continue;
        const int extraSender =
            settings_.extraFromOtherPort ? ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0) : socket_;
        for (const std::string& extra : settings_.extraDatagrams) {
            ::sendto(extraSender, extra.data(), extra.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
        }
        if (extraSender != socket_) ::close(extraSender);
        ::sendto(socket_, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
    }
}

}  // namespace wf::standin
