#pragma once
// SQL Server access over ODBC: unixODBC on Linux, odbc32 on Windows, with the
// machine's best SQL Server driver. Defaults as the classic access layer has
// them: 15 seconds to log in, 30 seconds per statement.
#include <vector>

#include "common/sql/sql_connection.h"
#include "platform/odbc/odbc_diagnostics.h"
#include "platform/odbc/odbc_handle.h"

namespace wf {

class OdbcRecordSet;

inline constexpr int kLoginTimeoutSeconds = 15;
inline constexpr int kDefaultCommandTimeoutSeconds = 30;

class OdbcConnection : public SqlConnection {
public:
    OdbcConnection() = default;
    ~OdbcConnection() override;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    void open(const std::string& connectionString) override;
    void execute(const std::string& statement) override;
    void close() override;
    void setCommandTimeout(int seconds) override;
    void clearErrors() override { errors_.clear(); }
    std::size_t errorCount() override { return errors_.size(); }
    std::string errorDescription(std::size_t index) override;
    std::unique_ptr<SqlRecordSet> openRecordSet(const std::string& statement, CursorType cursor,
                                                 LockType lock) override;

    // For the record sets of this connection.
    OdbcHandle newStatement();
    [[noreturn]] void fail(const std::vector<OdbcDiagnostic>& diagnostics, const std::string& fallback);
    void forget(OdbcRecordSet* recordSet);

private:
    void requireOpen() const;

    OdbcHandle environment_;
    OdbcHandle connection_;
    // The statement that carries the batches, kept from one to the next.
    OdbcHandle batchStatement_;
    bool open_ = false;
    int commandTimeout_ = kDefaultCommandTimeoutSeconds;
    std::vector<std::string> errors_;
    std::vector<OdbcRecordSet*> recordSets_;
};

// Creates OdbcConnection objects.
class OdbcConnectionFactory : public SqlConnectionFactory {
public:
    std::unique_ptr<SqlConnection> createConnection() override;
};

}  // namespace wf
