#include "options.h"

#include <cctype>
#include <charconv>

namespace wf::standin {
namespace {

int parsePort(const std::string& text) {
    int port = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
        throw UsageError("not a port number: " + text);
    }
    return port;
}

std::string parseHex(const std::string& text) {
    auto digit = [&](char c) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) throw UsageError("not hexadecimal: " + text);
        return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
    };
    if (text.empty() || text.size() % 2 != 0) throw UsageError("hexadecimal needs pairs of digits: " + text);
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) bytes.push_back(static_cast<char>(digit(text[i]) * 16 + digit(text[i + 1])));
    return bytes;
}

}  // namespace

const char* const kUsage =
    "usage: sqlserver-standin [options]\n"
    "  --port N                    TDS port on 127.0.0.1 (0 = a free one; default 0)\n"
    "  --login USER:PASSWORD       accepted login (repeatable)\n"
    "  --database NAME             database besides master (repeatable)\n"
    "  --config FILE               tables, rows, logins and scripted failures\n"
    "  --record-dir DIR            keep every batch as DIR/<database>/<NNNN>.sql\n"
    "  --data-dir DIR              where CREATE DATABASE puts data and log files\n"
    "  --client-path-prefix P      clients name the file /a/b as P\\a\\b (Z: under Wine)\n"
    "  --browser-port N            answer SQL Browser requests on 127.0.0.1 UDP port N (0 = free)\n"
    "  --instance NAME             instance the browser lists (repeatable; MSSQLSERVER = default)\n"
    "  --server-name NAME          server name in replies (default STANDIN)\n"
    "  --browser-extra-datagram HEX  send this datagram before each browser answer (repeatable)\n"
    "  --browser-extra-from-other-port  send the extra datagrams from another port\n"
    "  --browser-silent            read browser requests but never answer\n"
    "  --exit-on-stdin-eof         stop when standard input closes\n"
    "The first line printed is \"listening on 127.0.0.1:PORT\"; with a browser port the\n"
    "second is \"browser on 127.0.0.1:PORT\". SIGTERM or SIGINT stops the server.\n";

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw UsageError(option + " needs a value");
            return arguments[++i];
        };
        if (option == "--port") {
            options.port = parsePort(value());
        } else if (option == "--login") {
            const std::string& login = value();
            std::size_t colon = login.find(':');
            if (colon == std::string::npos || colon == 0) throw UsageError("--login needs USER:PASSWORD");
            options.logins.emplace_back(login.substr(0, colon), login.substr(colon + 1));
        } else if (option == "--database") {
            options.databases.push_back(value());
        } else if (option == "--config") {
            options.configFile = value();
        } else if (option == "--record-dir") {
            options.recordDir = value();
        } else if (option == "--data-dir") {
            options.dataDir = value();
        } else if (option == "--client-path-prefix") {
            options.clientPathPrefix = value();
        } else if (option == "--browser-port") {
            options.browserPort = parsePort(value());
        } else if (option == "--instance") {
            options.instances.push_back(value());
        } else if (option == "--server-name") {
            options.serverName = value();
        } else if (option == "--browser-extra-datagram") {
            options.browserExtraDatagrams.push_back(parseHex(value()));
        } else if (option == "--browser-extra-from-other-port") {
            options.browserExtraFromOtherPort = true;
        } else if (option == "--browser-silent") {
            options.browserSilent = true;
        } else if (option == "--exit-on-stdin-eof") {
            options.exitOnStdinEof = true;
        } else {
            throw UsageError("unknown option " + option);
        }
    }
    if (options.instances.empty()) options.instances.push_back("MSSQLSERVER");
    return options;
}

}  // namespace wf::standin
