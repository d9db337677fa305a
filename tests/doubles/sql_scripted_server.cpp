#include "tests/doubles/sql_scripted_server.h"

#include "common/text.h"

namespace wf::testing {

namespace {

[[noreturn]] void raiseClosed() {
    throw RunError(kErrSqlObjectClosed, "Operation is not allowed when the object is closed.");
}

class ScriptedRecordSet : public SqlRecordSet {
public:
    ScriptedRecordSet(SqlScriptedServer& server, SqlScriptedTable& table) : server_(server), table_(table) {}

    bool endOfSet() override { return row_ >= table_.rows.size(); }
    bool beginOfSet() override { return table_.rows.empty(); }
    void moveFirst() override {
        requireOpen();
        row_ = 0;
    }
    void moveNext() override {
        requireRow();
        ++row_;
    }
    std::string field(const std::string& name) override { return table_.rows[requireRow()][column(name)]; }
    void setField(const std::string& name, const std::string& value) override {
        requireRow();
        pending_[column(name)] = value;
    }
    void update() override {
        std::size_t row = requireRow();
        for (const auto& [index, value] : pending_) {
            table_.rows[row][index] = value;
            server_.events.push_back("update " + table_.columns[index] + "=" + value);
        }
        pending_.clear();
    }
    void close() override {
        requireOpen();
        open_ = false;
        server_.events.push_back("close recordset");
    }

private:
    void requireOpen() const {
        if (!open_) raiseClosed();
    }
    std::size_t requireRow() const {
        requireOpen();
        if (row_ >= table_.rows.size())
            throw RunError(kErrSqlNoCurrentRow, "Either BOF or EOF is True, or the current record has been deleted.");
        return row_;
    }
    std::size_t column(const std::string& name) const {
        for (std::size_t index = 0; index < table_.columns.size(); ++index)
            if (toLower(table_.columns[index]) == toLower(name)) return index;
        throw RunError(kErrSqlItemNotFound, "Item cannot be found in the collection.");
    }

    SqlScriptedServer& server_;
    SqlScriptedTable& table_;
    std::size_t row_ = 0;
    bool open_ = true;
    std::map<std::size_t, std::string> pending_;
};

class ScriptedConnection : public SqlConnection {
public:
    explicit ScriptedConnection(SqlScriptedServer& server) : server_(server) {}
    ~ScriptedConnection() override {
        if (open_) --server_.connectionsOpen;
    }

    void open(const std::string& connectionString) override {
        server_.events.push_back("open " + connectionString);
        if (open_) throw RunError(kErrSqlObjectOpen, "Operation is not allowed when the object is open.");
        failIfScripted(SqlOp::Open, server_.openFailures, connectionString);
        connectionString_ = connectionString;
        open_ = true;
        ++server_.connectionsOpen;
    }
    void execute(const std::string& statement) override {
        if (!open_) raiseClosed();
        server_.events.push_back("execute " + statement);
        failIfScripted(SqlOp::Execute, server_.statementFailures, statement);
        if (std::optional<SqlScriptedFailure> refused = server_.changeCatalogue(statement)) fail(*refused);
    }
    void close() override {
        if (!open_) raiseClosed();
        server_.events.push_back("close");
        open_ = false;
        --server_.connectionsOpen;
    }
    void setCommandTimeout(int seconds) override { server_.events.push_back("timeout " + std::to_string(seconds)); }
    void clearErrors() override {
        server_.events.push_back("clear errors");
        errors_.clear();
    }
    std::size_t errorCount() override { return errors_.size(); }
    std::string errorDescription(std::size_t index) override { return errors_.at(index); }
    std::unique_ptr<SqlRecordSet> openRecordSet(const std::string& statement, CursorType cursor, LockType lock) override {
        if (!open_) raiseClosed();
        server_.events.push_back("recordset " + statement + " " + std::to_string(static_cast<int>(cursor)) + " " +
                                 std::to_string(static_cast<int>(lock)));
        failIfScripted(SqlOp::OpenRecordSet, server_.statementFailures, statement);
        auto own = server_.tablesOn.find({connectionString_, statement});
        if (own != server_.tablesOn.end()) return std::make_unique<ScriptedRecordSet>(server_, own->second);
        auto table = server_.tables.find(statement);
        if (table == server_.tables.end())
            throw RunError(kErrSqlProviderFailure, "The scripted server has no rows for: " + statement);
        return std::make_unique<ScriptedRecordSet>(server_, table->second);
    }

private:
    // The plan's failure for this call comes first, then the one scripted for `key`.
    void failIfScripted(SqlOp op, const std::map<std::string, SqlScriptedFailure>& failures, const std::string& key) {
        const SqlScriptedFailure* planned = server_.faults().check(op);
        auto found = failures.find(key);
        if (!planned && found == failures.end()) return;
        fail(planned ? *planned : found->second);
    }
    [[noreturn]] void fail(const SqlScriptedFailure& failure) {
        if (!failure.providerErrors.empty()) errors_ = failure.providerErrors;
        throw RunError(failure.number, failure.providerErrors.empty() ? "Unspecified error" : failure.providerErrors.front());
    }

    SqlScriptedServer& server_;
    bool open_ = false;
    std::string connectionString_;
    std::vector<std::string> errors_;
};

// The quoted pieces of a statement ('text' or "name", doubled quotes inside), in order.
std::vector<std::string> quotedPieces(const std::string& statement) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < statement.size(); ++at) {
        const char quote = statement[at];
        if (quote != '\'' && quote != '"') continue;
        std::string piece;
        for (++at; at < statement.size(); ++at) {
            const bool doubled = at + 1 < statement.size() && statement[at + 1] == quote;
            if (statement[at] == quote && !doubled) break;
            if (statement[at] == quote) ++at;
            piece += statement[at];
        }
        pieces.push_back(piece);
    }
    return pieces;
}

SqlScriptedFailure cannotOpen(const std::string& path, const std::string& why, const std::string& then) {
    return {5120, {"Unable to open the physical file \"" + path + "\". Operating system error " + why + ".", then}};
}

}  // namespace

std::optional<SqlScriptedFailure> SqlScriptedServer::changeCatalogue(const std::string& statement) {
    const std::vector<std::string> pieces = quotedPieces(statement);
    if (pieces.empty()) return std::nullopt;
    auto database = databases.find(pieces[0]);
    if (database == databases.end()) return std::nullopt;
    SqlScriptedDatabase& target = database->second;
    const std::string name = database->first;
    if (statement.starts_with("sp_attach_db ") && pieces.size() == 3) {
        if (target.state != "detached") return SqlScriptedFailure{1801, {"Database '" + name + "' already exists."}};
        const std::string cannotCreate = "Could not open new database '" + name + "'. CREATE DATABASE is aborted.";
        const std::string data = fileOwner(pieces[1]);
        const std::string log = fileOwner(pieces[2]);
        if (data.empty()) return cannotOpen(pieces[1], "2: \"2(The system cannot find the file specified.)\"", cannotCreate);
        if (log.empty()) return cannotOpen(pieces[2], "2: \"2(The system cannot find the file specified.)\"", cannotCreate);
        if (data != log) return SqlScriptedFailure{5173, {"One or more files do not match the primary file of the database.", cannotCreate}};
        if (refusedPairs.count(data))
            return cannotOpen(pieces[1], "5: \"5(Access is denied.)\"", "CREATE DATABASE failed. Some file names listed could not be created.");
        target = {"online", data};
    } else if (target.state == "detached") {
        return SqlScriptedFailure{15010, {"The database '" + name + "' does not exist."}};
    } else if (statement.starts_with("sp_detach_db ")) {
        target.state = "detached";
    } else if (statement.ends_with(" set offline with rollback immediate")) {
        target.state = "offline";
    } else if (statement.ends_with(" set online")) {
        target.state = "online";
    }
    return std::nullopt;
}

std::unique_ptr<SqlConnection> SqlScriptedServer::createConnection() {
    ++connectionsCreated;
    return std::make_unique<ScriptedConnection>(*this);
}

}  // namespace wf::testing
