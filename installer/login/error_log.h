#pragma once
// The installer's error log, "ErrorLog.txt" beside the program, and its entry
// kinds. A log that cannot be written loses the entry and stops nothing. Every
// line is written with its passwords hidden (withPasswordsHidden): host files and
// connection strings hold them, and the log is read by more people than the login.
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/process_services.h"
#include "common/run_error.h"
#include "common/sql/sql_connection.h"

namespace wf {

// Put in front of a connection string or an error description in the log.
inline constexpr const char* kLogIndent = "    ----> ";

// The current date and time as the log writes them: MM/DD/YYYY HH:MM:SS with
// the system's separators, hours on the 24-hour clock.
std::string logTimestamp(Clock& clock);

// The remark on a host file that could not be read.
std::string unreadableFileRemark(const RunError& failure);

class ErrorLog {
public:
    ErrorLog(FileSystem& files, ProcessServices& process, Clock& clock)
        : files_(files), process_(process), clock_(clock) {}

    // The header of one pass of building the connection strings, with
    // `ourConnection` and `noCatalogConnection`.
    void runHeader(const std::string& ourConnection, const std::string& noCatalogConnection);

    // The note written before a host file is read, followed by `copiedLines` and
    // then by `remarks` on what was wrong with the file, each behind the indent.
    void fileNote(const std::string& path, const std::vector<std::string>& copiedLines = {},
                  const std::vector<std::string>& remarks = {});

    // A step and what became of it, for steps without provider errors to show (a
    // file copy, a statement the provider did not explain, a recovery): `step`, then
    // `description` behind the indent.
    void stepNote(const std::string& step, const std::string& description);

    // One pair of lines per provider error that `connection` reports: `statement`,
    // then the error's description. Nothing when it reports none.
    void statementFailure(const std::string& statement, SqlConnection& connection);

private:
    void append(const std::vector<std::string>& lines);

    FileSystem& files_;
    ProcessServices& process_;
    Clock& clock_;
};

}  // namespace wf
