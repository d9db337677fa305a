#pragma once
// A record set over an ODBC statement. The default is a forward, read-only pass;
// a dynamic cursor with pessimistic locking becomes a server cursor with scroll
// locks, whose current row is updated in place (a positioned update), as the
// classic access layer does it.
#include <optional>
#include <string>
#include <vector>

#include "common/sql/sql_connection.h"
#include "platform/odbc/odbc_diagnostics.h"
#include "platform/odbc/odbc_handle.h"

namespace wf {

class OdbcConnection;

class OdbcRecordSet : public SqlRecordSet {
public:
    OdbcRecordSet(OdbcConnection& connection, std::string statement, CursorType cursor, LockType lock);
    ~OdbcRecordSet() override;
    OdbcRecordSet(const OdbcRecordSet&) = delete;
    OdbcRecordSet& operator=(const OdbcRecordSet&) = delete;

    // Runs the statement and moves to the first row.
    void open();

    bool endOfSet() override { return endOfSet_; }
    bool beginOfSet() override { return beginOfSet_; }
    void moveFirst() override;
    void moveNext() override;
    std::string field(const std::string& name) override;
    void setField(const std::string& name, const std::string& value) override;
    void update() override;
    void close() override;

private:
    void requireOpen() const;
    void requireRow() const;
    void setAttribute(SQLINTEGER attribute, SQLULEN value);
    void run();
    // Fetches in `orientation`; false when there is no such row.
    bool fetch(SQLSMALLINT orientation);
    std::optional<std::string> readColumn(SQLUSMALLINT number);
    std::size_t columnIndex(const std::string& name) const;
    // Binds the first `columnCount` columns and stores the current row through
    // them; false with the driver's records in `diagnostics` when that fails.
    bool writeRow(std::size_t columnCount, bool leaveUnchanged, std::vector<OdbcDiagnostic>& diagnostics);
    bool forwardOnly() const { return cursor_ == CursorType::ForwardOnly; }

    OdbcConnection* connection_;  // null once closed
    std::string statement_;
    CursorType cursor_;
    LockType lock_;
    OdbcHandle handle_;
    std::vector<std::string> columns_;
    std::vector<std::optional<std::string>> values_;
    std::vector<bool> changed_;
    bool beginOfSet_ = true;
    bool endOfSet_ = true;
};

}  // namespace wf
