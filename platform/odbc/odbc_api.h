#pragma once
// The ODBC headers. The plain (ANSI) entry points are used throughout: UNICODE is
// never defined for them. On Windows the build puts <windows.h> before them.
#include <sql.h>
#include <sqlext.h>
