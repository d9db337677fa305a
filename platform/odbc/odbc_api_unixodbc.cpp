#include "platform/odbc/odbc_api.h"

namespace wf {

const OdbcApi& odbcApi() {
#define WF_ODBC_LINKED(name) &::name,
    static const OdbcApi api{WF_ODBC_ENTRY_POINTS(WF_ODBC_LINKED)};
#undef WF_ODBC_LINKED
    return api;
}

}  // namespace wf
