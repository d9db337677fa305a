#pragma once
// SQL Server access as the installer's procedures use it: connections, statements,
// provider errors and record sets. Every failing operation raises RunError with a
// number and a readable description; nothing is retried here.
#include <cstddef>
#include <memory>
#include <string>

#include "common/run_error.h"

namespace wf {

// Failures of the access layer itself, numbered as the classic data objects number them.
enum SqlErrorNumber : long {
    kErrSqlNoCurrentRow = 3021,            // end-of-set or begin-of-set: no row to read or write
    kErrSqlItemNotFound = 3265,            // no field of that name
    kErrSqlNotUpdatable = 3251,            // a read-only record set was asked to change
    kErrSqlObjectClosed = 3704,            // the connection or record set is not open
    kErrSqlObjectOpen = 3705,              // open called on an object that is already open
    kErrSqlProviderFailure = -2147467259,  // a provider failure that carries no server error number
};

// The classic cursor and lock types, with their numbers.
enum class CursorType { ForwardOnly = 0, Dynamic = 2 };
enum class LockType { ReadOnly = 1, Pessimistic = 2 };

// A result of one statement, positioned on its current row. Opened by
// SqlConnection::openRecordSet; closed by close() or its destruction.
class SqlRecordSet {
public:
    virtual ~SqlRecordSet() = default;

    // True after the last row (and at once on an empty result).
    virtual bool endOfSet() = 0;
    // True before the first row (and at once on an empty result).
    virtual bool beginOfSet() = 0;
    virtual void moveFirst() = 0;
    virtual void moveNext() = 0;

    // The value of the current row's column `name` (case-insensitive) as text;
    // NULL reads as empty text. Raises kErrSqlItemNotFound, kErrSqlNoCurrentRow.
    virtual std::string field(const std::string& name) = 0;
    // Changes the current row's column `name`; update() stores the change.
    virtual void setField(const std::string& name, const std::string& value) = 0;
    // Writes the changed fields of the current row to the server.
    virtual void update() = 0;

    virtual void close() = 0;
};

class SqlConnection {
public:
    virtual ~SqlConnection() = default;

    // Opens the connection from a connection string: "Key=value;..." pairs
    // (Provider, Data Source, Initial Catalog, User ID, Password, Integrated
    // Security) or, without any "=", an ODBC data source name. The login travels
    // in the string only. A login that fails fails here, not at the first statement.
    virtual void open(const std::string& connectionString) = 0;

    // Sends one statement or script batch as written; rows it returns are ignored.
    virtual void execute(const std::string& statement) = 0;

    // Closes the connection; closing a closed connection raises kErrSqlObjectClosed.
    virtual void close() = 0;

    // Seconds a statement may run before it is cancelled (30 until set).
    virtual void setCommandTimeout(int seconds) = 0;

    // Provider errors: a failure that the server or driver explains replaces them
    // with its diagnostics, in the order reported; a failure of the access layer
    // itself (kErrSqlObjectClosed and the like) leaves them as they are.
    virtual void clearErrors() = 0;
    virtual std::size_t errorCount() = 0;
    virtual std::string errorDescription(std::size_t index) = 0;

    // Opens a record set over `statement`, positioned on its first row.
    virtual std::unique_ptr<SqlRecordSet> openRecordSet(const std::string& statement, CursorType cursor,
                                                        LockType lock) = 0;
};

// Creates closed connections; one per procedure that needs one.
class SqlConnectionFactory {
public:
    virtual ~SqlConnectionFactory() = default;
    virtual std::unique_ptr<SqlConnection> createConnection() = 0;
};

}  // namespace wf
