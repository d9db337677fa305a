#pragma once
// What the server knows: logins and databases with their tables, their state
// (online or offline) and, for databases that have them, their data and log
// files on disk. Shared by all sessions, so every call locks; readers get
// copies. Names are matched without regard to case, as under the server's
// default collation.
//
// A database with files keeps its tables in memory while online; its data file
// is written when it is created, taken offline or detached, and read when it is
// attached or brought online again.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue_types.h"
#include "database_files.h"

namespace wf::standin {

// A configuration that cannot be applied (table of a missing database, ...).
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a database operation could not be done.
struct DatabaseProblem {
    enum Kind {
        Missing,      // no such database
        Exists,       // a database of that name is there already
        FileExists,   // a file to be created is there already
        FileMissing,  // a file to be opened is not there
        FileInvalid,  // a file to be opened is not a database file
    };
    Kind kind;
    std::string path;  // the file concerned, as clients name it
};

class Catalogue {
public:
    static constexpr const char* kMaster = "master";
    static constexpr const char* kFileTable = "SYSFILES";
    static constexpr const char* kDatabaseList = "databases";  // sys.databases

    explicit Catalogue(ClientPaths paths = ClientPaths());

    void addLogin(const std::string& user, const std::string& password);
    // User names match without regard to case, passwords exactly.
    bool checkLogin(std::string_view user, std::string_view password) const;

    void addDatabase(const std::string& name);
    // The database's name as created, or nothing when there is none.
    std::optional<std::string> findDatabase(std::string_view name) const;
    bool isOnline(std::string_view name) const;

    void addTable(std::string_view database, const std::string& table, std::vector<std::string> columns,
                  std::optional<std::size_t> identityColumn = std::nullopt);
    void addRow(std::string_view database, std::string_view table, std::vector<FieldValue> values);
    // A table, or SYSFILES (the database's files) when it has no table of that name.
    std::optional<TableSnapshot> readTable(std::string_view database, std::string_view table) const;
    // Sets the named columns of one row; false when the row or a column is gone.
    // sys.databases: every database the server holds, online or offline: name,
    // database_id, state_desc (ONLINE or OFFLINE).
    TableSnapshot databaseList() const;
    bool updateRow(std::string_view database, std::string_view table, std::uint32_t rowId,
                   const std::vector<std::pair<std::string, FieldValue>>& changes);

    // Database operations; each returns the problem that stopped it, if any.
    std::optional<DatabaseProblem> createDatabase(const std::string& name, const std::optional<DatabaseFiles>& files);
    // Deletes the files of an online database; an offline one leaves them.
    std::optional<DatabaseProblem> dropDatabase(std::string_view name);
    std::optional<DatabaseProblem> setOffline(std::string_view name);
    std::optional<DatabaseProblem> setOnline(std::string_view name);
    std::optional<DatabaseProblem> detach(std::string_view name);
    // `files` as clients name them.
    std::optional<DatabaseProblem> attach(const std::string& name, const std::string& dataFile, const std::string& logFile);
    // A database on existing files (loaded) or on new ones (created empty).
    void addDatabaseWithFiles(const std::string& name, const DatabaseFiles& files);

    const ClientPaths& clientPaths() const { return paths_; }

private:
    struct Database {
        std::string name;
        bool online = true;
        std::optional<DatabaseFiles> files;
        std::map<std::string, TableSnapshot> tables;  // by upper-case name
        int id = 0;
    };

    Database* database(std::string_view name);
    const Database* database(std::string_view name) const;
    TableSnapshot& table(std::string_view database, std::string_view table);
    std::optional<DatabaseProblem> loadTables(Database& database);
    void saveTables(const Database& database) const;
    TableSnapshot fileTable(const Database& database) const;
    void insert(Database database);

    ClientPaths paths_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> logins_;  // upper-case user -> password
    std::map<std::string, Database> databases_;  // by upper-case name
    std::uint32_t nextRowId_ = 1;
    int nextDatabaseId_ = 1;
};

}  // namespace wf::standin
