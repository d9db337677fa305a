#pragma once
// The diagnostic records of an ODBC handle, and the failure they describe.
#include <string>
#include <string_view>
#include <vector>

#include "common/run_error.h"
#include "platform/odbc/odbc_api.h"

namespace wf {

struct OdbcDiagnostic {
    std::string state;      // SQLSTATE, "01000" for a server's informational message
    long nativeError = 0;   // the server's message number; 0 for the driver's own
    std::string text;       // without the bracketed prefixes
};

// Every record of `handle`, in order.
std::vector<OdbcDiagnostic> odbcDiagnostics(SQLSMALLINT type, SQLHANDLE handle);

// A message without the "[vendor][component]" prefixes ODBC puts in front of it.
std::string withoutOdbcPrefixes(const std::string& message);

// Whether some record carries a SQLSTATE that starts with `prefix`.
bool hasState(const std::vector<OdbcDiagnostic>& records, std::string_view prefix);

// Whether a call that answered `rc` with `records` leaves nothing more to read
// of its batch: the connection is lost (SQLSTATE class 08) or the driver
// failed (class HY), or the call failed without saying why.
bool endsTheBatch(SQLRETURN rc, const std::vector<OdbcDiagnostic>& records);

// The failure that `diagnostics` report: the first record that is not a warning
// (or the first of all); its server message number, when it has one, is the
// failure's number. With no record at all, `fallback` describes it.
RunError odbcFailure(const std::vector<OdbcDiagnostic>& diagnostics, const std::string& fallback);

}  // namespace wf
