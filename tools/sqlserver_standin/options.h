#pragma once
// The stand-in's command line.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace wf::standin {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    int port = 0;
    std::vector<std::pair<std::string, std::string>> logins;  // user, password
    std::vector<std::string> databases;
    std::optional<std::filesystem::path> configFile;
    std::optional<std::filesystem::path> recordDir;
    std::optional<std::filesystem::path> dataDir;
    std::string clientPathPrefix;
    std::optional<int> browserPort;
    std::vector<std::string> instances;
    std::string serverName = "STANDIN";
    std::vector<std::string> browserExtraDatagrams;  // raw bytes
    bool browserExtraFromOtherPort = false;
    bool browserSilent = false;
    bool exitOnStdinEof = false;
};

extern const char* const kUsage;

// Raises UsageError for an unknown option, a missing value or a bad number.
Options parseOptions(const std::vector<std::string>& arguments);

}  // namespace wf::standin
