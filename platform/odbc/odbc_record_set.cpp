#include "platform/odbc/odbc_record_set.h"

#include <algorithm>

#include "common/text.h"
#include "platform/odbc/odbc_connection.h"

namespace wf {

OdbcRecordSet::OdbcRecordSet(OdbcConnection& connection, std::string statement, CursorType cursor, LockType lock)
    : connection_(&connection), statement_(std::move(statement)), cursor_(cursor), lock_(lock) {}

OdbcRecordSet::~OdbcRecordSet() {
    if (connection_ != nullptr) ignoreFailure([this] { close(); });
}

void OdbcRecordSet::requireOpen() const {
    if (connection_ == nullptr) throw RunError(kErrSqlObjectClosed, "Operation is not allowed when the object is closed.");
}

void OdbcRecordSet::requireRow() const {
    requireOpen();
    if (beginOfSet_ || endOfSet_)
        throw RunError(kErrSqlNoCurrentRow,
                       "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                       "requires a current record.");
}

void OdbcRecordSet::open() {
    run();
    bool hasRow = fetch(SQL_FETCH_NEXT);
    beginOfSet_ = !hasRow;
    endOfSet_ = !hasRow;
}

void OdbcRecordSet::setAttribute(SQLINTEGER attribute, SQLULEN value) {
    // A driver that substitutes another cursor or locking says so with a warning.
    if (odbcApi().SQLSetStmtAttr(handle_.get(), attribute, reinterpret_cast<SQLPOINTER>(value), 0) != SQL_SUCCESS)
        connection_->fail(odbcDiagnostics(SQL_HANDLE_STMT, handle_.get()), "The cursor could not be set up.");
}

void OdbcRecordSet::run() {
    handle_ = connection_->newStatement();
    // The cursor and locking asked for, or a failure: a row meant to be locked
    // is never read without its lock.
    if (cursor_ == CursorType::Dynamic) setAttribute(SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_DYNAMIC);
    if (lock_ == LockType::Pessimistic) setAttribute(SQL_ATTR_CONCURRENCY, SQL_CONCUR_LOCK);
    std::string text = statement_;
    SQLRETURN rc = odbcApi().SQLExecDirect(handle_.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                           static_cast<SQLINTEGER>(text.size()));
    if (rc == SQL_ERROR || rc == SQL_INVALID_HANDLE)
        connection_->fail(odbcDiagnostics(SQL_HANDLE_STMT, handle_.get()), "The record set could not be opened.");
    // The server may open a lesser cursor than the one set up and say so only
    // here, with "option value changed".
    if (rc == SQL_SUCCESS_WITH_INFO) {
        std::vector<OdbcDiagnostic> records = odbcDiagnostics(SQL_HANDLE_STMT, handle_.get());
        if (hasState(records, "01S02")) connection_->fail(records, "The cursor could not be set up.");
    }

    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(odbcApi().SQLNumResultCols(handle_.get(), &count)))
        connection_->fail(odbcDiagnostics(SQL_HANDLE_STMT, handle_.get()), "The columns could not be read.");
    columns_.clear();
    for (SQLUSMALLINT number = 1; number <= count; ++number) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, dataType = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (!SQL_SUCCEEDED(odbcApi().SQLDescribeCol(handle_.get(), number, name, sizeof name, &nameLength, &dataType,
                                                    &size, &digits, &nullable)))
            connection_->fail(odbcDiagnostics(SQL_HANDLE_STMT, handle_.get()), "The columns could not be read.");
        columns_.emplace_back(reinterpret_cast<const char*>(name));
    }
    values_.assign(columns_.size(), std::nullopt);
    changed_.assign(columns_.size(), false);
}

bool OdbcRecordSet::fetch(SQLSMALLINT orientation) {
    if (columns_.empty()) return false;
    SQLRETURN rc = odbcApi().SQLFetchScroll(handle_.get(), orientation, 0);
    if (rc == SQL_NO_DATA) return false;
    if (!SQL_SUCCEEDED(rc)) connection_->fail(odbcDiagnostics(SQL_HANDLE_STMT, handle_.get()), "The row could not be read.");
    for (std::size_t index = 0; index < columns_.size(); ++index) {
        values_[index] = readColumn(static_cast<SQLUSMALLINT>(index + 1));
        changed_[index] = false;
    }
    return true;
}

std::optional<std::string> OdbcRecordSet::readColumn(SQLUSMALLINT number) {
    std::string value;
    char chunk[2048];
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = odbcApi().SQLGetData(handle_.get(), number, SQL_C_CHAR, chunk, sizeof chunk, &indicator);
        if (rc == SQL_NO_DATA) return value;
        if (!SQL_SUCCEEDED(rc))
            connection_->fail(odbcDiagnostics(SQL_HANDLE_STMT, handle_.get()), "The field could not be read.");
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        // A chunk that did not hold the rest is full but for its terminator.
        bool complete = indicator != SQL_NO_TOTAL && indicator < static_cast<SQLLEN>(sizeof chunk);
        value.append(chunk, complete ? static_cast<std::size_t>(indicator) : sizeof chunk - 1);
        if (complete) return value;
    }
}

void OdbcRecordSet::moveFirst() {
    requireOpen();
    bool hasRow;
    if (forwardOnly()) {
        // A forward pass starts again by running its statement anew.
        run();
        hasRow = fetch(SQL_FETCH_NEXT);
    } else {
        hasRow = fetch(SQL_FETCH_FIRST);
    }
    beginOfSet_ = !hasRow;
    endOfSet_ = !hasRow;
}

void OdbcRecordSet::moveNext() {
    requireRow();
    if (!fetch(SQL_FETCH_NEXT)) endOfSet_ = true;
}

std::size_t OdbcRecordSet::columnIndex(const std::string& name) const {
    for (std::size_t index = 0; index < columns_.size(); ++index)
        if (toLower(columns_[index]) == toLower(name)) return index;
    throw RunError(kErrSqlItemNotFound,
                   "Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

std::string OdbcRecordSet::field(const std::string& name) {
    requireOpen();
    std::size_t index = columnIndex(name);
    requireRow();
    return values_[index].value_or(std::string());
}

void OdbcRecordSet::setField(const std::string& name, const std::string& value) {
    requireOpen();
    std::size_t index = columnIndex(name);
    requireRow();
    if (lock_ == LockType::ReadOnly)
        throw RunError(kErrSqlNotUpdatable,
                       "Current Recordset does not support updating. This may be a limitation of the provider, or of "
                       "the selected locktype.");
    values_[index] = value;
    changed_[index] = true;
}

void OdbcRecordSet::update() {
    requireRow();
    auto lastChanged = std::find(changed_.rbegin(), changed_.rend(), true);
    if (lastChanged == changed_.rend()) return;
    // The unchanged columns are marked to be left alone, so that identity,
    // row-version and computed columns, which the server refuses to write,
    // stay out of the update and triggers see only what really changed.
    // A driver that refuses the mark (FreeTDS) writes every bound column: it
    // gets the columns up to the last changed one, the unchanged ones holding
    // the values just read, and itself leaves out what the server reports
    // read-only.
    std::vector<OdbcDiagnostic> diagnostics;
    if (!writeRow(columns_.size(), true, diagnostics) && hasState(diagnostics, "HY090"))
        writeRow(static_cast<std::size_t>(changed_.rend() - lastChanged), false, diagnostics);
    if (!diagnostics.empty()) connection_->fail(diagnostics, "The row could not be updated.");
    changed_.assign(columns_.size(), false);
}

bool OdbcRecordSet::writeRow(std::size_t columnCount, bool leaveUnchanged, std::vector<OdbcDiagnostic>& diagnostics) {
    std::vector<std::string> buffers(columnCount);
    std::vector<SQLLEN> indicators(columnCount, SQL_NTS);
    SQLRETURN rc = SQL_SUCCESS;
    for (std::size_t index = 0; index < columnCount && SQL_SUCCEEDED(rc); ++index) {
        if (leaveUnchanged && !changed_[index])
            indicators[index] = SQL_COLUMN_IGNORE;
        else if (values_[index])
            buffers[index] = *values_[index];
        else
            indicators[index] = SQL_NULL_DATA;
        rc =
            odbcApi().SQLBindCol(handle_.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_C_CHAR, buffers[index].data(),
                                 static_cast<SQLLEN>(buffers[index].size() + 1), &indicators[index]);
    }
    if (SQL_SUCCEEDED(rc)) rc = odbcApi().SQLSetPos(handle_.get(), 1, SQL_UPDATE, SQL_LOCK_NO_CHANGE);
    diagnostics.clear();
    if (!SQL_SUCCEEDED(rc)) diagnostics = odbcDiagnostics(SQL_HANDLE_STMT, handle_.get());
    odbcApi().SQLFreeStmt(handle_.get(), SQL_UNBIND);
    return SQL_SUCCEEDED(rc);
}

void OdbcRecordSet::close() {
    requireOpen();
    handle_.reset();
    connection_->forget(this);
    connection_ = nullptr;
}

}  // namespace wf
