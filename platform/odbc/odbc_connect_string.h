#pragma once
// Translates the installer's connection strings (their grammar is
// common/sql/connection_string_syntax.h) into ODBC connection strings.
#include <string>

#include "platform/odbc/odbc_driver_choice.h"

namespace wf {

// The ODBC connection string that reaches what `connectionString` names through
// `driver`. "Provider" and "Persist Security Info" are dropped; "Data Source"
// becomes the server ("host", "host,port", "host\instance", "(local)", ".");
// "Initial Catalog" the database; "User ID" and "Password" the login; an
// "Integrated Security" of SSPI, True or Yes a trusted connection. A string
// without any "=" is an ODBC data source name. Raises RunError for a malformed
// string, one holding a NUL character, or one whose translation is longer than
// the 32,767 characters ODBC takes.
std::string odbcConnectString(const std::string& connectionString, const std::string& driver);

// True for a string without any "=": it names an ODBC data source.
bool isDataSourceName(const std::string& connectionString);

// `value` as an ODBC connection string value for a driver of `kind`: in braces
// when it holds ";", "{" or "}" or has blanks at either end, with "}" doubled as
// ODBC has it. FreeTDS reads a braced value up to the first "};" and takes "}}"
// literally: it gets the braces alone, and a value holding "};" raises RunError.
std::string odbcValue(const std::string& value, OdbcDriverKind kind);

}  // namespace wf
