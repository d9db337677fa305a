#include "platform/odbc/odbc_diagnostics.h"

#include <algorithm>

#include "common/sql/sql_connection.h"

namespace wf {

std::vector<OdbcDiagnostic> odbcDiagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::vector<OdbcDiagnostic> records;
    for (SQLSMALLINT number = 1;; ++number) {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        std::string text(SQL_MAX_MESSAGE_LENGTH, '\0');
        SQLSMALLINT length = 0;
        SQLRETURN rc =
            odbcApi().SQLGetDiagRec(type, handle, number, state, &nativeError, reinterpret_cast<SQLCHAR*>(text.data()),
                                    static_cast<SQLSMALLINT>(text.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
            text.assign(static_cast<std::size_t>(length) + 1, '\0');
            rc = odbcApi().SQLGetDiagRec(type, handle, number, state, &nativeError,
                                         reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLSMALLINT>(text.size()),
                                         &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        text.resize(std::min<std::size_t>(static_cast<std::size_t>(length), text.size() - 1));
        records.push_back({reinterpret_cast<const char*>(state), static_cast<long>(nativeError), withoutOdbcPrefixes(text)});
    }
    return records;
}

std::string withoutOdbcPrefixes(const std::string& message) {
    std::size_t start = 0;
    while (start < message.size() && message[start] == '[') {
        std::size_t close = message.find(']', start);
        if (close == std::string::npos) break;
        start = close + 1;
    }
    return message.substr(start);
}

bool hasState(const std::vector<OdbcDiagnostic>& records, std::string_view prefix) {
    return std::any_of(records.begin(), records.end(),
                       [&](const OdbcDiagnostic& record) { return record.state.rfind(prefix, 0) == 0; });
}

bool endsTheBatch(SQLRETURN rc, const std::vector<OdbcDiagnostic>& records) {
    if (rc == SQL_INVALID_HANDLE || (rc == SQL_ERROR && records.empty())) return true;
    return hasState(records, "08") || hasState(records, "HY");
}


RunError odbcFailure(const std::vector<OdbcDiagnostic>& diagnostics, const std::string& fallback) {
    if (diagnostics.empty()) return RunError(kErrSqlProviderFailure, fallback);
    const OdbcDiagnostic* chosen = &diagnostics.front();
    for (const OdbcDiagnostic& record : diagnostics) {
        if (record.state.rfind("01", 0) != 0) {
            chosen = &record;
            break;
        }
    }
    return RunError(chosen->nativeError != 0 ? chosen->nativeError : kErrSqlProviderFailure, chosen->text);
}

}  // namespace wf
