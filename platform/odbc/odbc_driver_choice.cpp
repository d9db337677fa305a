#include "platform/odbc/odbc_driver_choice.h"

#include <cstdlib>

#include "common/text.h"

namespace wf {

namespace {

const std::string kMicrosoftPrefix = "odbc driver ";
const std::string kMicrosoftSuffix = " for sql server";

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// Leading decimal digits of `text` with their dots, as a number (11.0 -> 110).
int versionNumber(const std::string& text) {
    int number = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            number = number * 10 + (c - '0');
        else if (c != '.')
            break;
        if (number > 100000) break;
    }
    return number;
}

// The version NN of an "ODBC Driver NN for SQL Server"; 0 for any other name.
int microsoftDriverVersion(const std::string& driverName) {
    const std::string lower = toLower(driverName);
    if (!startsWith(lower, kMicrosoftPrefix) || lower.size() <= kMicrosoftPrefix.size() + kMicrosoftSuffix.size() ||
        lower.compare(lower.size() - kMicrosoftSuffix.size(), kMicrosoftSuffix.size(), kMicrosoftSuffix) != 0)
        return 0;
    const std::string digits = lower.substr(kMicrosoftPrefix.size(),
                                            lower.size() - kMicrosoftPrefix.size() - kMicrosoftSuffix.size());
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::atoi(digits.c_str());
}

// Higher is better; 0 for a driver that does not serve SQL Server.
long preference(const std::string& name) {
    const std::string lower = toLower(name);
    switch (odbcDriverKind(name)) {
        case OdbcDriverKind::MicrosoftOdbc:
            return 4000000 + microsoftDriverVersion(name);
        case OdbcDriverKind::NativeClient:
            return 3000000 + versionNumber(lower.substr(lower.find_last_of(' ') + 1));
        case OdbcDriverKind::ClassicSqlServer:
            return 2000000;
        case OdbcDriverKind::FreeTds:
            return 1000000;
        case OdbcDriverKind::Other:
            break;
    }
    return 0;
}

}  // namespace

OdbcDriverKind odbcDriverKind(const std::string& driverName) {
    const std::string lower = toLower(driverName);
    if (microsoftDriverVersion(driverName) > 0) return OdbcDriverKind::MicrosoftOdbc;
    if (startsWith(lower, "sql server native client") || lower == "sql native client") return OdbcDriverKind::NativeClient;
    if (lower == "sql server") return OdbcDriverKind::ClassicSqlServer;
    if (lower.find("freetds") != std::string::npos || lower.find("tdsodbc") != std::string::npos)
        return OdbcDriverKind::FreeTds;
    return OdbcDriverKind::Other;
}

std::optional<std::string> bestSqlServerDriver(const std::vector<std::string>& installed) {
    std::optional<std::string> best;
    long bestPreference = 0;
    for (const std::string& name : installed) {
        long candidate = preference(name);
        if (candidate > bestPreference) {
            best = name;
            bestPreference = candidate;
        }
    }
    return best;
}

}  // namespace wf
