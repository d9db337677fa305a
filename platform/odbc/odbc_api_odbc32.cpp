#include "platform/odbc/odbc_api.h"

#include "platform/win32/system_library.h"

namespace wf {

const OdbcApi& odbcApi() {
    static const win32::SystemLibrary library(L"odbc32.dll");
#define WF_ODBC_LOADED(name) library.entry<decltype(&::name)>(#name),
    static const OdbcApi api{WF_ODBC_ENTRY_POINTS(WF_ODBC_LOADED)};
#undef WF_ODBC_LOADED
    return api;
}

}  // namespace wf
