#pragma once
// The ODBC headers, and the one table of the driver manager's entry points that
// the adapter calls. The plain (ANSI) entry points are used throughout: UNICODE is
// never defined for them. On Windows the build puts <windows.h> before them.
#include <sql.h>
#include <sqlext.h>

// Every entry point of the table, each given to `X`.
#define WF_ODBC_ENTRY_POINTS(X) \
    X(SQLAllocHandle)           \
    X(SQLBindCol)               \
    X(SQLDescribeCol)           \
    X(SQLDisconnect)            \
    X(SQLDriverConnect)         \
    X(SQLDrivers)               \
    X(SQLExecDirect)            \
    X(SQLFetchScroll)           \
    X(SQLFreeHandle)            \
    X(SQLFreeStmt)              \
    X(SQLGetData)               \
    X(SQLGetDiagRec)            \
    X(SQLMoreResults)           \
    X(SQLNumResultCols)         \
    X(SQLSetConnectAttr)        \
    X(SQLSetEnvAttr)            \
    X(SQLSetPos)                \
    X(SQLSetStmtAttr)

namespace wf {

// Each member is the entry point of its name.
struct OdbcApi {
#define WF_ODBC_MEMBER(name) decltype(&::name) name;
    WF_ODBC_ENTRY_POINTS(WF_ODBC_MEMBER)
#undef WF_ODBC_MEMBER
};

// The table: natively unixODBC's functions, which the build links; on Windows
// those of the system folder's odbc32.dll, loaded at the first call and kept, as
// odbc32 is not one of Windows' known DLLs and imported would be looked for beside
// the program first. Raises a RunError naming what is missing when the library or
// an entry point is; the next call tries again.
const OdbcApi& odbcApi();

}  // namespace wf
