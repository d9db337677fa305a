// Translates a connection string of the installer into one for ODBC.
#include "platform/odbc/odbc_connect_string.h"

#include "common/sql/connection_string_syntax.h"
#include "common/sql/sql_connection.h"
#include "common/text.h"

namespace wf {

namespace {

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
    if (value.find("};") != std::string::npos)
        throw RunError(kErrSqlProviderFailure, "The FreeTDS driver cannot take a value that holds \"};\".");
    return "{" + value + "}";
}

std::string odbcConnectString(const std::string& connectionString, const std::string& driver) {
    if (isDataSourceName(connectionString)) return "DSN=" + odbcValue(connectionString, OdbcDriverKind::Other);

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
    return odbc;
}

}  // namespace wf
