#pragma once
// What the server knows: logins, databases and their tables. Shared by all
// sessions, so every call locks; readers get copies. Names are matched without
// regard to case, as under the server's default collation.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wf::standin {

using FieldValue = std::optional<std::string>;  // nothing = NULL

struct TableRow {
    std::uint32_t id = 0;  // stable while the server runs; cursors refer to rows by it
    std::vector<FieldValue> values;
};

struct TableSnapshot {
    std::string name;
    std::vector<std::string> columns;
    std::vector<TableRow> rows;

    // Position of a column, found without regard to case.
    std::optional<std::size_t> columnIndex(std::string_view column) const;
};

// A configuration that cannot be applied (table of a missing database, ...).
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Catalogue {
public:
    static constexpr const char* kMaster = "master";

    Catalogue();

    void addLogin(const std::string& user, const std::string& password);
    // User names match without regard to case, passwords exactly.
    bool checkLogin(std::string_view user, std::string_view password) const;

    void addDatabase(const std::string& name);
    // The database's name as created, or nothing when there is none.
    std::optional<std::string> findDatabase(std::string_view name) const;

    void addTable(std::string_view database, const std::string& table, std::vector<std::string> columns);
    void addRow(std::string_view database, std::string_view table, std::vector<FieldValue> values);
    std::optional<TableSnapshot> readTable(std::string_view database, std::string_view table) const;
    // Sets the named columns of one row; false when the row or a column is gone.
    bool updateRow(std::string_view database, std::string_view table, std::uint32_t rowId,
                   const std::vector<std::pair<std::string, FieldValue>>& changes);

private:
    struct Database {
        std::string name;
        std::map<std::string, TableSnapshot> tables;  // by upper-case name
    };

    Database* database(std::string_view name);
    const Database* database(std::string_view name) const;
    TableSnapshot& table(std::string_view database, std::string_view table);

    mutable std::mutex mutex_;
    std::map<std::string, std::string> logins_;  // upper-case user -> password
    std::map<std::string, Database> databases_;  // by upper-case name
    std::uint32_t nextRowId_ = 1;
};

}  // namespace wf::standin
