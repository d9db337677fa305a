#pragma once
// An ODBC handle that frees itself.
#include "platform/odbc/odbc_api.h"

namespace wf {

class OdbcHandle {
public:
    OdbcHandle() = default;
    ~OdbcHandle() { reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    // Allocates a handle of `type` below `parent` (SQL_NULL_HANDLE for an
    // environment). False when the driver manager refuses; the reason is then in
    // the parent's diagnostics. Raises a RunError when there is no driver manager.
    bool allocate(SQLSMALLINT type, SQLHANDLE parent);

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }
    explicit operator bool() const { return handle_ != nullptr; }

    void reset();

private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = nullptr;
};

}  // namespace wf
