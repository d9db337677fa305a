#include "tools/sample_server/start_report.h"

namespace wf::sample_server {
namespace {

std::string withVisibleTabs(const std::string& text) {
    std::string shown;
    for (char c : text) shown += c == '\t' ? std::string("<TAB>") : std::string(1, c);
    return shown;
}

}  // namespace

std::string startReport(const std::string& commandLine, const std::vector<std::string>& arguments) {
    std::string report = "Command line:\r\n" + withVisibleTabs(commandLine) + "\r\n\r\nArguments:\r\n";
    for (std::size_t i = 0; i < arguments.size(); ++i)
        report += std::to_string(i) + ": " + withVisibleTabs(arguments[i]) + "\r\n";
    return report;
}

}  // namespace wf::sample_server
