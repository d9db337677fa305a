#include "installer/sql/odbc_connection.h"

#include <cstdint>

#include "installer/sql/odbc_connect_string.h"
#include "installer/sql/odbc_installed_drivers.h"
#include "installer/sql/odbc_record_set.h"

namespace wf {

namespace {

SQLPOINTER integerAttribute(int value) { return reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(value)); }

// True when some record is a message of the server rather than of the driver:
// the batch goes on after it, a driver failure ends it.
bool hasServerMessage(const std::vector<OdbcDiagnostic>& diagnostics) {
    for (const OdbcDiagnostic& record : diagnostics)
        if (record.nativeError != 0) return true;
    return false;
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
    if (!SQL_SUCCEEDED(SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION, integerAttribute(SQL_OV_ODBC3), 0)))
        fail(odbcDiagnostics(SQL_HANDLE_ENV, environment_.get()), "The ODBC version could not be set.");
    if (!connection_.allocate(SQL_HANDLE_DBC, environment_.get()))
        fail(odbcDiagnostics(SQL_HANDLE_ENV, environment_.get()), "The connection could not be created.");
    if (!SQL_SUCCEEDED(SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                                         integerAttribute(kLoginTimeoutSeconds), 0)))
        fail(odbcDiagnostics(SQL_HANDLE_DBC, connection_.get()), "The login time-out could not be set.");

    const std::string driver = isDataSourceName(connectionString) ? std::string() : sqlServerDriver(environment_.get());
    std::string odbc = odbcConnectString(connectionString, driver);
    SQLRETURN rc = SQLDriverConnect(connection_.get(), nullptr, reinterpret_cast<SQLCHAR*>(odbc.data()),
                                    static_cast<SQLSMALLINT>(odbc.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
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
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(statement.get(), SQL_ATTR_QUERY_TIMEOUT, integerAttribute(commandTimeout_), 0)))
        fail(odbcDiagnostics(SQL_HANDLE_STMT, statement.get()), "The command time-out could not be set.");
    return statement;
}

void OdbcConnection::setCommandTimeout(int seconds) {
    commandTimeout_ = seconds;
    batchStatement_.reset();
}

void OdbcConnection::execute(const std::string& statement) {
    if (!batchStatement_) batchStatement_ = newStatement();
    const OdbcHandle& handle = batchStatement_;
    std::string text = statement;
    std::vector<OdbcDiagnostic> diagnostics;
    bool failed = false;
    // Keeps the records of a call; true when the call failed without a message
    // of the server, which ends the batch.
    auto collect = [&](SQLRETURN rc) {
        if (rc == SQL_SUCCESS) return false;
        std::vector<OdbcDiagnostic> records = odbcDiagnostics(SQL_HANDLE_STMT, handle.get());
        diagnostics.insert(diagnostics.end(), records.begin(), records.end());
        if (rc != SQL_ERROR && rc != SQL_INVALID_HANDLE) return false;
        failed = true;
        return !hasServerMessage(records);
    };
    // Every result of the batch is read, so that the errors of its later
    // statements are reported too.
    SQLRETURN rc = SQLExecDirect(handle.get(), reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size()));
    do {
        if (collect(rc)) break;
    } while ((rc = SQLMoreResults(handle.get())) != SQL_NO_DATA);
    // When the batch's first statement fails, the driver manager answers
    // SQLMoreResults with "no data" without asking the driver. Closing then has
    // the driver cancel the batch and read what the server had answered until
    // the cancel reached it; the messages of those results come with it.
    collect(SQLFreeStmt(handle.get(), SQL_CLOSE));
    if (failed) fail(diagnostics, "The statement failed.");
}

void OdbcConnection::close() {
    requireOpen();
    std::vector<OdbcRecordSet*> openSets = recordSets_;
    for (OdbcRecordSet* recordSet : openSets) ignoreFailure([recordSet] { recordSet->close(); });
    batchStatement_.reset();
    SQLDisconnect(connection_.get());
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
