// Translates a connection string of the installer into one for ODBC.
#include "platform/odbc/odbc_connect_string.h"

#include "common/sql/connection_string_syntax.h"
#include "common/sql/sql_connection.h"
#include "common/text.h"

namespace wf {

namespace {

// The longest connection string SQLDriverConnect takes: its length is a SQLSMALLINT.
constexpr std::size_t kLongestOdbcString = 32767;

[[noreturn]] void refuse(const std::string& why) { throw RunError(kErrSqlProviderFailure, why); }

// A longer string would be cut or refused with a driver's puzzling error.
std::string withinOdbcLength(std::string odbc) {
    if (odbc.size() > kLongestOdbcString)
        refuse("The connection string is too long: ODBC takes at most " + std::to_string(kLongestOdbcString) +
               " characters.");
    return odbc;
}

bool isTrusted(const std::string& integratedSecurity) {
    const std::string lower = toLower(trimBlanks(integratedSecurity));
    return lower == "sspi" || lower == "true" || lower == "yes";
}

// FreeTDS knows neither the local-server aliases nor a port after a comma: it
// gets the loopback address and a separate port item.
std::string freeTdsServer(const std::string& dataSource) {
    const OdbcDriverKind kind = OdbcDriverKind::FreeTds;
    std::string host = dataSource;
    std::string tail;
    std::string port;
    std::size_t comma = host.find(',');
    if (comma != std::string::npos) {
        port = trimBlanks(host.substr(comma + 1));
        host.erase(comma);
    }
    std::size_t backslash = host.find('\\');
    if (backslash != std::string::npos) {
        tail = host.substr(backslash);
        host.erase(backslash);
    }
    host = trimBlanks(host);
    if (toLower(host) == "(local)" || host == ".") host = "127.0.0.1";
    std::string items = "SERVER=" + odbcValue(host + tail, kind);
    if (!port.empty()) items += ";PORT=" + odbcValue(port, kind);
    return items;
}

}  // namespace

bool isDataSourceName(const std::string& connectionString) { return connectionString.find('=') == std::string::npos; }

std::string odbcValue(const std::string& value, OdbcDriverKind kind) {
    bool plain = value.find_first_of(";{}") == std::string::npos &&
                 (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain) return value;
    if (kind != OdbcDriverKind::FreeTds) return "{" + replaceAll(value, "}", "}}") + "}";
    if (value.find("};") != std::string::npos) refuse("The FreeTDS driver cannot take a value that holds \"};\".");
    return "{" + value + "}";
}

std::string odbcConnectString(const std::string& connectionString, const std::string& driver) {
    // ODBC would end the string there, silently, and log in with what came before.
    if (connectionString.find('\0') != std::string::npos)
        refuse("The connection string holds a NUL character, where ODBC would cut it short.");
    if (isDataSourceName(connectionString))
        return withinOdbcLength("DSN=" + odbcValue(connectionString, OdbcDriverKind::Other));

    const std::vector<ConnectionStringItem> items = parseConnectionString(connectionString);
    const OdbcDriverKind kind = odbcDriverKind(driver);
    std::string odbc = "DRIVER={" + replaceAll(driver, "}", "}}") + "}";
    if (std::optional<std::string> dataSource = connectionStringItem(items, "Data Source")) {
        odbc += ";" + (kind == OdbcDriverKind::FreeTds ? freeTdsServer(*dataSource) : "SERVER=" + odbcValue(*dataSource, kind));
    }
    if (std::optional<std::string> catalog = connectionStringItem(items, "Initial Catalog"))
        odbc += ";DATABASE=" + odbcValue(*catalog, kind);
    if (isTrusted(connectionStringItem(items, "Integrated Security").value_or(""))) {
        odbc += ";Trusted_Connection=Yes";
    } else {
        if (std::optional<std::string> user = connectionStringItem(items, "User ID")) odbc += ";UID=" + odbcValue(*user, kind);
        if (std::optional<std::string> password = connectionStringItem(items, "Password"))
            odbc += ";PWD=" + odbcValue(*password, kind);
    }
    // The programs' text is in the Windows code page 1252, whatever the locale of
    // the machine FreeTDS runs on. The version comes last, so that no braced
    // value ends the string: FreeTDS would keep its closing brace.
    if (kind == OdbcDriverKind::FreeTds) odbc += ";ClientCharset=CP1252;TDS_Version=7.4";
    // The newer Microsoft drivers demand encryption by default; the classic
    // provider logged in unencrypted when the server offered no encryption.
    if (kind == OdbcDriverKind::MicrosoftOdbc) odbc += ";Encrypt=no";
    return withinOdbcLength(std::move(odbc));
}

}  // namespace wf
