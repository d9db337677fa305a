#pragma once
// The ODBC headers, in the order Windows needs them. The plain (ANSI) entry
// points are used throughout: UNICODE is never defined for them.
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
