#include "platform/odbc/odbc_handle.h"

#include <utility>

namespace wf {

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

bool OdbcHandle::allocate(SQLSMALLINT type, SQLHANDLE parent) {
    reset();
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(odbcApi().SQLAllocHandle(type, parent, &handle))) return false;
    type_ = type;
    handle_ = handle;
    return true;
}

void OdbcHandle::reset() {
    if (handle_ != SQL_NULL_HANDLE) odbcApi().SQLFreeHandle(type_, std::exchange(handle_, nullptr));
}

}  // namespace wf
