#include "installer/login/error_log.h"

#include <cstdio>

#include "common/log_appender.h"
#include "common/program_files.h"
#include "common/sql/connection_string_syntax.h"

namespace wf {

std::string logTimestamp(Clock& clock) {
    const LocalTimestamp now = clock.now();
    const char date = clock.dateSeparator();
    const char time = clock.timeSeparator();
    char text[64];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%04d %02d%c%02d%c%02d", now.month, date, now.day, date, now.year,
                  now.hour, time, now.minute, time, now.second);
    return text;
}

std::string unreadableFileRemark(const RunError& failure) {
    return "The file cannot be read: " + failure.description() + " (" + std::to_string(failure.number()) + ").";
}

void ErrorLog::runHeader(const std::string& ourConnection, const std::string& noCatalogConnection) {
    append({"", "*** Start DB Utility " + logTimestamp(clock_) + " ***", "strOurConnectionString",
            kLogIndent + ourConnection, "strNoCatConnectionString", kLogIndent + noCatalogConnection});
}

void ErrorLog::fileNote(const std::string& path, const std::vector<std::string>& copiedLines,
                        const std::vector<std::string>& remarks) {
    std::vector<std::string> lines{logTimestamp(clock_) + " " + path};
    lines.insert(lines.end(), copiedLines.begin(), copiedLines.end());
    for (const std::string& remark : remarks) lines.push_back(kLogIndent + remark);
    append(lines);
}

void ErrorLog::stepNote(const std::string& step, const std::string& description) {
    append({step, kLogIndent + description});
}

void ErrorLog::statementFailure(const std::string& statement, SqlConnection& connection) {
    std::vector<std::string> lines;
    for (std::size_t index = 0; index < connection.errorCount(); ++index) {
        lines.push_back(statement);
        lines.push_back(kLogIndent + connection.errorDescription(index));
    }
    if (!lines.empty()) append(lines);
}

void ErrorLog::append(const std::vector<std::string>& lines) {
    std::vector<std::string> shown;
    shown.reserve(lines.size());
    for (const std::string& line : lines) shown.push_back(withPasswordsHidden(line));
    ignoreFailure([&] { appendLogEntry(files_, errorLogPath(process_), shown); });
}

}  // namespace wf
