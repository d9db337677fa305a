#include "platform/odbc/odbc_connection.h"

#include <cstdint>

#include "platform/odbc/odbc_connect_string.h"
#include "platform/odbc/odbc_installed_drivers.h"
#include "platform/odbc/odbc_record_set.h"

namespace wf {

namespace {

SQLPOINTER integerAttribute(int value) { return reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(value)); }

// Overwrites `text` where it lies; written through volatile, so that the compiler
// keeps the writes although nothing reads the text again.
void wipe(std::string& text) {
    volatile char* bytes = text.data();
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = '\0';
}

}  // namespace

OdbcConnection::~OdbcConnection() {
    if (open_) ignoreFailure([this] { close(); });
}

void OdbcConnection::requireOpen() const {
    if (!open_) throw RunError(kErrSqlObjectClosed, "Operation is not allowed when the object is closed.");
}

void OdbcConnection::fail(const std::vector<OdbcDiagnostic>& diagnostics, const std::string& fallback) {
    if (!diagnostics.empty()) {
        errors_.clear();
        for (const OdbcDiagnostic& record : diagnostics) errors_.push_back(record.text);
    }
    throw odbcFailure(diagnostics, fallback);
}

void OdbcConnection::open(const std::string& connectionString) {
    if (open_) throw RunError(kErrSqlObjectOpen, "Operation is not allowed when the object is open.");
    if (!environment_.allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE))
        fail({}, "The ODBC driver manager could not be started.");
    if (!SQL_SUCCEEDED(
            odbcApi().SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, integerAttribute(SQL_OV_ODBC3), 0)))
        fail(odbcDiagnostics(SQL_HANDLE_ENV, environment_.get()), "The ODBC version could not be set.");
    if (!connection_.allocate(SQL_HANDLE_DBC, environment_.get()))
        fail(odbcDiagnostics(SQL_HANDLE_ENV, environment_.get()), "The connection could not be created.");
    if (!SQL_SUCCEEDED(odbcApi().SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                                                   integerAttribute(kLoginTimeoutSeconds), 0)))
        fail(odbcDiagnostics(SQL_HANDLE_DBC, connection_.get()), "The login time-out could not be set.");

    const std::string driver = isDataSourceName(connectionString) ? std::string() : sqlServerDriver(environment_.get());
    std::string odbc = odbcConnectString(connectionString, driver);
    SQLRETURN rc =
        odbcApi().SQLDriverConnect(connection_.get(), nullptr, reinterpret_cast<SQLCHAR*>(odbc.data()),
                                   static_cast<SQLSMALLINT>(odbc.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    // The login stays in no freed memory, where a dump of the process would show it.
    wipe(odbc);
    if (!SQL_SUCCEEDED(rc)) {
        std::vector<OdbcDiagnostic> diagnostics = odbcDiagnostics(SQL_HANDLE_DBC, connection_.get());
        connection_.reset();
        environment_.reset();
        fail(diagnostics, "The connection could not be opened.");
    }
    open_ = true;
}

OdbcHandle OdbcConnection::newStatement() {
    requireOpen();
    OdbcHandle statement;
    if (!statement.allocate(SQL_HANDLE_STMT, connection_.get()))
        fail(odbcDiagnostics(SQL_HANDLE_DBC, connection_.get()), "The statement could not be created.");
    if (!SQL_SUCCEEDED(
            odbcApi().SQLSetStmtAttr(statement.get(), SQL_ATTR_QUERY_TIMEOUT, integerAttribute(commandTimeout_), 0)))
        fail(odbcDiagnostics(SQL_HANDLE_STMT, statement.get()), "The command time-out could not be set.");
    return statement;
}

void OdbcConnection::setCommandTimeout(int seconds) {
    commandTimeout_ = seconds;
    batchStatement_.reset();
}

void OdbcConnection::execute(const std::string& statement) {
    if (!batchStatement_) batchStatement_ = newStatement();
    SQLHSTMT handle = batchStatement_.get();
    std::string text = statement;
    std::vector<OdbcDiagnostic> diagnostics;
    bool failed = false;
    // Keeps the records of one call; false when nothing more can be read.
    auto collect = [&](SQLRETURN rc) {
        if (rc == SQL_SUCCESS) return true;
        std::vector<OdbcDiagnostic> records = odbcDiagnostics(SQL_HANDLE_STMT, handle);
        diagnostics.insert(diagnostics.end(), records.begin(), records.end());
        if (rc == SQL_ERROR || rc == SQL_INVALID_HANDLE) failed = true;
        return !endsTheBatch(rc, records);
    };
    // Every result of the batch is read with its messages, so that the server
    // runs the batch to its end and the errors of its later statements are
    // reported too.
    SQLRETURN rc =
        odbcApi().SQLExecDirect(handle, reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size()));
    bool readable = true;
    while (rc != SQL_NO_DATA && (readable = collect(rc))) rc = odbcApi().SQLMoreResults(handle);
    // A driver manager that answers "no data" after a failed first statement
    // without asking the driver leaves the rest unread: closing has the driver
    // cancel it and keep the messages that arrived before the cancel.
    SQLRETURN closed = odbcApi().SQLFreeStmt(handle, SQL_CLOSE);
    if (readable) collect(closed);
    if (failed) fail(diagnostics, "The statement failed.");
}

void OdbcConnection::close() {
    requireOpen();
    std::vector<OdbcRecordSet*> openSets = recordSets_;
    for (OdbcRecordSet* recordSet : openSets) ignoreFailure([recordSet] { recordSet->close(); });
    batchStatement_.reset();
    odbcApi().SQLDisconnect(connection_.get());
    connection_.reset();
    environment_.reset();
    open_ = false;
}

std::string OdbcConnection::errorDescription(std::size_t index) {
    if (index >= errors_.size())
        throw RunError(kErrSqlItemNotFound,
                       "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    return errors_[index];
}

std::unique_ptr<SqlRecordSet> OdbcConnection::openRecordSet(const std::string& statement, CursorType cursor,
                                                             LockType lock) {
    requireOpen();
    auto recordSet = std::make_unique<OdbcRecordSet>(*this, statement, cursor, lock);
    recordSets_.push_back(recordSet.get());
    recordSet->open();
    return recordSet;
}

void OdbcConnection::forget(OdbcRecordSet* recordSet) { std::erase(recordSets_, recordSet); }

std::unique_ptr<SqlConnection> OdbcConnectionFactory::createConnection() { return std::make_unique<OdbcConnection>(); }

}  // namespace wf
