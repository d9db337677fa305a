#include "installer/login/error_log.h"

#include <cstdio>

#include "common/log_appender.h"
#include "common/program_files.h"

namespace wf {

namespace {

void appendEntry(const InstallerContext& context, const std::vector<std::string>& lines) {
    ignoreFailure([&] { appendLogEntry(context.files, errorLogPath(context.process), lines); });
}

}  // namespace

std::string logTimestamp(Clock& clock) {
    const LocalTimestamp now = clock.now();
    const char date = clock.dateSeparator();
    const char time = clock.timeSeparator();
    char text[64];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%04d %02d%c%02d%c%02d", now.month, date, now.day, date, now.year,
                  now.hour, time, now.minute, time, now.second);
    return text;
}

void logRunHeader(const InstallerContext& context, const std::string& ourConnection,
                  const std::string& noCatalogConnection) {
    appendEntry(context, {"",
                          "*** Start DB Utility " + logTimestamp(context.clock) + " ***",
                          "strOurConnectionString",
                          kLogIndent + ourConnection,
                          "strNoCatConnectionString",
                          kLogIndent + noCatalogConnection});
}

void logFileNote(const InstallerContext& context, const std::string& path, const std::vector<std::string>& copiedLines,
                 const std::vector<std::string>& remarks) {
    std::vector<std::string> lines{logTimestamp(context.clock) + " " + path};
    lines.insert(lines.end(), copiedLines.begin(), copiedLines.end());
    for (const std::string& remark : remarks) lines.push_back(kLogIndent + remark);
    appendEntry(context, lines);
}

std::string unreadableFileRemark(const RunError& failure) {
    return "The file cannot be read: " + failure.description() + " (" + std::to_string(failure.number()) + ").";
}

void logStepNote(const InstallerContext& context, const std::string& step, const std::string& description) {
    appendEntry(context, {step, kLogIndent + description});
}

void logStatementFailure(const InstallerContext& context, const std::string& statement, SqlConnection& connection) {
    std::vector<std::string> lines;
    for (std::size_t index = 0; index < connection.errorCount(); ++index) {
        lines.push_back(statement);
        lines.push_back(kLogIndent + connection.errorDescription(index));
    }
    if (!lines.empty()) appendEntry(context, lines);
}

}  // namespace wf
