// A login of fuzzed values composed into the installer's server string, parsed
// back and translated for ODBC: no keyword appears that the login does not bring,
// and every value comes back exact (for FreeTDS, all but the reshaped server), or
// the translation refuses a value ODBC cannot carry. The input is integrated
// security, server, user, password and catalogue cut at NULs; without the fourth
// NUL the string names no catalogue.
#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "common/run_error.h"
#include "common/sql/connection_string_syntax.h"
#include "common/text.h"
#include "installer/login/connection_strings.h"
#include "platform/odbc/odbc_connect_string.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using wf::fuzz::require;
using Items = std::vector<std::pair<std::string, std::string>>;

// The items of an ODBC connection string as the driver reads them: a plain value
// loses its blanks at either end; a braced value ends at a "}" that is not doubled,
// "}}" standing for "}"; FreeTDS ends it at the first "};" and keeps "}}" as
// written. Nothing when the string does not read so to its end.
std::optional<Items> odbcItems(std::string_view text, bool freeTds) {
    Items items;
    while (!text.empty()) {
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        std::string keyword(text.substr(0, equals));
        text.remove_prefix(equals + 1);
        std::string value;
        std::size_t end = 0;
        if (!text.starts_with('{')) {
            end = std::min(text.find(';'), text.size());
            value = wf::trimBlanks(std::string(text.substr(0, end)));
        } else if (freeTds) {
            end = text.find("};");
            if (end == std::string_view::npos) return std::nullopt;
            value = text.substr(1, end - 1);
            ++end;
        } else {
            for (end = 1; end < text.size(); ++end) {
                if (text[end] == '}' && text.substr(end, 2) != "}}") break;
                value += text[end];
                if (text[end] == '}') ++end;
            }
            if (end == text.size()) return std::nullopt;
            if (++end < text.size() && text[end] != ';') return std::nullopt;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
        items.emplace_back(std::move(keyword), std::move(value));
    }
    return items;
}

bool trusted(const std::string& integratedSecurity) {
    const std::string word = wf::toLower(wf::trimBlanks(integratedSecurity));
    return word == "sspi" || word == "true" || word == "yes";
}

// A value ODBC cannot carry: a NUL would cut the string short, and FreeTDS cannot
// read a braced value holding "};".
bool uncarriable(const std::vector<std::string>& values, bool freeTds) {
    return std::any_of(values.begin(), values.end(), [&](const std::string& value) {
        return value.find('\0') != std::string::npos || (freeTds && value.find("};") != std::string::npos);
    });
}

// `connectionString` translated for `driver` and read back; nothing when it was
// refused, which only a value ODBC cannot carry justifies.
std::optional<Items> translated(const std::string& connectionString, const std::string& driver,
                                const std::vector<std::string>& values) {
    const bool freeTds = wf::odbcDriverKind(driver) == wf::OdbcDriverKind::FreeTds;
    std::string odbc;
    try {
        odbc = wf::odbcConnectString(connectionString, driver);
    } catch (const wf::RunError&) {
        require(uncarriable(values, freeTds));
        return std::nullopt;
    }
    std::optional<Items> read = odbcItems(odbc, freeTds);
    require(read.has_value());
    return read;
}

void checkTranslation(const std::string& composed, const std::string& driver, const wf::SqlLogin& login,
                      const std::optional<std::string>& catalog, const std::vector<std::string>& values) {
    const wf::OdbcDriverKind kind = wf::odbcDriverKind(driver);
    const bool freeTds = kind == wf::OdbcDriverKind::FreeTds;
    const std::optional<Items> read = translated(composed, driver, values);
    if (!read) return;
    require(read->size() > 2);
    Items expected = {{"DRIVER", driver}};
    if (freeTds) {
        expected.push_back((*read)[1]);
        require(expected.back().first == "SERVER");
        if ((*read)[2].first == "PORT") expected.push_back((*read)[2]);
    } else {
        expected.emplace_back("SERVER", login.server);
    }
    if (catalog) expected.emplace_back("DATABASE", *catalog);
    if (trusted(login.integratedSecurity)) {
        expected.emplace_back("Trusted_Connection", "Yes");
    } else {
        expected.emplace_back("UID", login.user);
        expected.emplace_back("PWD", login.password);
    }
    if (freeTds) expected.insert(expected.end(), {{"ClientCharset", "CP1252"}, {"TDS_Version", "7.4"}});
    if (kind == wf::OdbcDriverKind::MicrosoftOdbc) expected.emplace_back("Encrypt", "no");
    require(*read == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> values = wf::fuzz::fields(data, size, 5);
    std::optional<std::string> catalog;
    if (values.size() == 5) catalog = values[4];
    std::vector<std::string> loginValues = values;
    loginValues.resize(4);
    const wf::SqlLogin login{loginValues[0], loginValues[1], loginValues[2], loginValues[3]};
    const std::string composed = wf::serverConnectionString(login, catalog);

    Items expected = {{"Provider", "SQLOLEDB.1"},
                      {"Integrated Security", login.integratedSecurity},
                      {"Persist Security Info", "True"},
                      {"Data Source", login.server}};
    if (catalog) expected.emplace_back("Initial Catalog", *catalog);
    expected.insert(expected.end(), {{"User ID", login.user}, {"Password", login.password}});
    Items parsed;
    for (wf::ConnectionStringItem& item : wf::parseConnectionString(composed))
        parsed.emplace_back(std::move(item.keyword), std::move(item.value));
    require(parsed == expected);

    for (const char* driver : {"ODBC Driver 18 for SQL Server", "SQL Server", "FreeTDS"})
        checkTranslation(composed, driver, login, catalog, values);
    // A catalogue without "=" also stands as a data source name of its own.
    if (catalog && wf::isDataSourceName(*catalog)) {
        const std::optional<Items> read = translated(*catalog, "SQL Server", {*catalog});
        require(!read || *read == Items{{"DSN", *catalog}});
    }
    return 0;
}
