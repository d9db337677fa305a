#include "catalogue.h"

#include "text.h"

namespace wf::standin {

std::optional<std::size_t> TableSnapshot::columnIndex(std::string_view column) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (equalsNoCase(columns[i], column)) return i;
    }
    return std::nullopt;
}

Catalogue::Catalogue() { addDatabase(kMaster); }

void Catalogue::addLogin(const std::string& user, const std::string& password) {
    std::lock_guard lock(mutex_);
    logins_[upperCase(user)] = password;
}

bool Catalogue::checkLogin(std::string_view user, std::string_view password) const {
    std::lock_guard lock(mutex_);
    auto found = logins_.find(upperCase(user));
    return found != logins_.end() && found->second == password;
}

void Catalogue::addDatabase(const std::string& name) {
    std::lock_guard lock(mutex_);
    databases_.try_emplace(upperCase(name), Database{name, {}});
}

std::optional<std::string> Catalogue::findDatabase(std::string_view name) const {
    std::lock_guard lock(mutex_);
    const Database* found = database(name);
    if (!found) return std::nullopt;
    return found->name;
}

void Catalogue::addTable(std::string_view databaseName, const std::string& tableName, std::vector<std::string> columns) {
    std::lock_guard lock(mutex_);
    Database* owner = database(databaseName);
    if (!owner) throw CatalogueError("no database " + std::string(databaseName) + " for table " + tableName);
    if (columns.empty()) throw CatalogueError("table " + tableName + " has no columns");
    auto [entry, added] = owner->tables.try_emplace(upperCase(tableName), TableSnapshot{tableName, std::move(columns), {}});
    if (!added) throw CatalogueError("table " + tableName + " defined twice");
}

void Catalogue::addRow(std::string_view databaseName, std::string_view tableName, std::vector<FieldValue> values) {
    std::lock_guard lock(mutex_);
    TableSnapshot& target = table(databaseName, tableName);
    if (values.size() != target.columns.size()) {
        throw CatalogueError("row of " + target.name + " has " + std::to_string(values.size()) + " values for " +
                             std::to_string(target.columns.size()) + " columns");
    }
    target.rows.push_back(TableRow{nextRowId_++, std::move(values)});
}

std::optional<TableSnapshot> Catalogue::readTable(std::string_view databaseName, std::string_view tableName) const {
    std::lock_guard lock(mutex_);
    const Database* owner = database(databaseName);
    if (!owner) return std::nullopt;
    auto found = owner->tables.find(upperCase(tableName));
    if (found == owner->tables.end()) return std::nullopt;
    return found->second;
}

bool Catalogue::updateRow(std::string_view databaseName, std::string_view tableName, std::uint32_t rowId,
                          const std::vector<std::pair<std::string, FieldValue>>& changes) {
    std::lock_guard lock(mutex_);
    Database* owner = database(databaseName);
    if (!owner) return false;
    auto found = owner->tables.find(upperCase(tableName));
    if (found == owner->tables.end()) return false;
    TableSnapshot& target = found->second;
    for (TableRow& row : target.rows) {
        if (row.id != rowId) continue;
        std::vector<std::pair<std::size_t, FieldValue>> resolved;
        for (const auto& [column, value] : changes) {
            std::optional<std::size_t> index = target.columnIndex(column);
            if (!index) return false;
            resolved.emplace_back(*index, value);
        }
        for (auto& [index, value] : resolved) row.values[index] = std::move(value);
        return true;
    }
    return false;
}

Catalogue::Database* Catalogue::database(std::string_view name) {
    auto found = databases_.find(upperCase(name));
    return found == databases_.end() ? nullptr : &found->second;
}

const Catalogue::Database* Catalogue::database(std::string_view name) const {
    auto found = databases_.find(upperCase(name));
    return found == databases_.end() ? nullptr : &found->second;
}

TableSnapshot& Catalogue::table(std::string_view databaseName, std::string_view tableName) {
    Database* owner = database(databaseName);
    if (!owner) throw CatalogueError("no database " + std::string(databaseName));
    auto found = owner->tables.find(upperCase(tableName));
    if (found == owner->tables.end()) throw CatalogueError("no table " + std::string(tableName));
    return found->second;
}

}  // namespace wf::standin
