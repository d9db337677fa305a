#include "installer/sql/odbc_connect_string.h"

#include "common/text.h"
#include "installer/sql/connection_string.h"
#include "installer/sql/odbc_driver_choice.h"

namespace wf {

namespace {

bool isTrusted(const std::string& integratedSecurity) {
    const std::string lower = toLower(trimBlanks(integratedSecurity));
    return lower == "sspi" || lower == "true" || lower == "yes";
}

// FreeTDS knows neither the local-server aliases nor a port after a comma: it
// gets the loopback address and a separate port item.
std::string freeTdsServer(const std::string& dataSource) {
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
    std::string items = "SERVER=" + odbcValue(host + tail);
    if (!port.empty()) items += ";PORT=" + odbcValue(port);
    return items;
}

}  // namespace

bool isDataSourceName(const std::string& connectionString) { return connectionString.find('=') == std::string::npos; }

std::string odbcValue(const std::string& value) {
    bool plain = value.find_first_of(";{}") == std::string::npos &&
                 (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain) return value;
    return "{" + replaceAll(value, "}", "}}") + "}";
}

std::string odbcConnectString(const std::string& connectionString, const std::string& driver) {
    if (isDataSourceName(connectionString)) return "DSN=" + odbcValue(connectionString);

    const std::vector<ConnectionStringItem> items = parseConnectionString(connectionString);
    const OdbcDriverKind kind = odbcDriverKind(driver);
    std::string odbc = "DRIVER={" + replaceAll(driver, "}", "}}") + "}";
    if (std::optional<std::string> dataSource = connectionStringItem(items, "Data Source")) {
        odbc += ";" + (kind == OdbcDriverKind::FreeTds ? freeTdsServer(*dataSource) : "SERVER=" + odbcValue(*dataSource));
    }
    if (std::optional<std::string> catalog = connectionStringItem(items, "Initial Catalog"))
        odbc += ";DATABASE=" + odbcValue(*catalog);
    if (isTrusted(connectionStringItem(items, "Integrated Security").value_or(""))) {
        odbc += ";Trusted_Connection=Yes";
    } else {
        if (std::optional<std::string> user = connectionStringItem(items, "User ID")) odbc += ";UID=" + odbcValue(*user);
        if (std::optional<std::string> password = connectionStringItem(items, "Password"))
            odbc += ";PWD=" + odbcValue(*password);
    }
    if (kind == OdbcDriverKind::FreeTds) odbc += ";TDS_Version=7.4";
    // The newer Microsoft drivers demand encryption by default; the classic
    // provider logged in unencrypted when the server offered no encryption.
    if (kind == OdbcDriverKind::MicrosoftOdbc) odbc += ";Encrypt=no";
    return odbc;
}

}  // namespace wf
