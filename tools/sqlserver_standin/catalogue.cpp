#include "catalogue.h"

#include <algorithm>
#include <filesystem>

#include "text.h"

namespace wf::standin {
namespace {

constexpr std::size_t kFileNameWidth = 260;  // SYSFILES.filename is fixed width
constexpr std::uintmax_t kPageBytes = 8192;
constexpr int kStatusDiskFile = 0x2;
constexpr int kStatusLogFile = 0x40;

std::string pages(const std::filesystem::path& path) {
    std::error_code error;
    std::uintmax_t bytes = std::filesystem::file_size(path, error);
    return std::to_string(error ? 0 : std::max<std::uintmax_t>(1, bytes / kPageBytes));
}

}  // namespace

std::optional<std::size_t> TableSnapshot::columnIndex(std::string_view column) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (equalsNoCase(columns[i], column)) return i;
    }
    return std::nullopt;
}

Catalogue::Catalogue(ClientPaths paths) : paths_(std::move(paths)) { addDatabase(kMaster); }

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
    if (!database(name)) insert(Database{name, true, std::nullopt, {}});
}

void Catalogue::addDatabaseWithFiles(const std::string& name, const DatabaseFiles& files) {
    std::lock_guard lock(mutex_);
    if (database(name)) throw CatalogueError("database " + name + " defined twice");
    Database added{name, true, files, {}};
    if (std::filesystem::exists(files.data)) {
        if (std::optional<DatabaseProblem> problem = loadTables(added)) {
            throw CatalogueError("cannot open " + problem->path + " for database " + name);
        }
    } else {
        writeWholeFile(files.data, dataFileText({}));
        writeWholeFile(files.log, logFileText());
    }
    insert(std::move(added));
}

std::optional<std::string> Catalogue::findDatabase(std::string_view name) const {
    std::lock_guard lock(mutex_);
    const Database* found = database(name);
    if (!found) return std::nullopt;
    return found->name;
}

bool Catalogue::isOnline(std::string_view name) const {
    std::lock_guard lock(mutex_);
    const Database* found = database(name);
    return found && found->online;
}

void Catalogue::addTable(std::string_view databaseName, const std::string& tableName, std::vector<std::string> columns,
                         std::optional<std::size_t> identityColumn) {
    std::lock_guard lock(mutex_);
    Database* owner = database(databaseName);
    if (!owner) throw CatalogueError("no database " + std::string(databaseName) + " for table " + tableName);
    if (columns.empty()) throw CatalogueError("table " + tableName + " has no columns");
    auto [entry, added] = owner->tables.try_emplace(upperCase(tableName), TableSnapshot{tableName, std::move(columns), {}, identityColumn});
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
    if (found != owner->tables.end()) return found->second;
    if (equalsNoCase(tableName, kFileTable)) return fileTable(*owner);
    return std::nullopt;
}

TableSnapshot Catalogue::databaseList() const {
    std::lock_guard lock(mutex_);
    TableSnapshot list{kDatabaseList, {"name", "database_id", "state_desc"}, {}};
    for (const auto& entry : databases_) {
        const Database& listed = entry.second;
        list.rows.push_back(TableRow{0, {listed.name, std::to_string(listed.id), listed.online ? "ONLINE" : "OFFLINE"}});
    }
    return list;
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

std::optional<DatabaseProblem> Catalogue::createDatabase(const std::string& name, const std::optional<DatabaseFiles>& files) {
    std::lock_guard lock(mutex_);
    if (database(name)) return DatabaseProblem{DatabaseProblem::Exists, name};
    if (files) {
        for (const std::filesystem::path& path : {files->data, files->log}) {
            if (std::filesystem::exists(path)) return DatabaseProblem{DatabaseProblem::FileExists, paths_.toClient(path)};
        }
        writeWholeFile(files->data, dataFileText({}));
        writeWholeFile(files->log, logFileText());
    }
    insert(Database{name, true, files, {}});
    return std::nullopt;
}

std::optional<DatabaseProblem> Catalogue::dropDatabase(std::string_view name) {
    std::lock_guard lock(mutex_);
    Database* target = database(name);
    if (!target) return DatabaseProblem{DatabaseProblem::Missing, std::string(name)};
    if (target->online && target->files) {
        std::error_code ignored;
        std::filesystem::remove(target->files->data, ignored);
        std::filesystem::remove(target->files->log, ignored);
    }
    databases_.erase(upperCase(name));
    return std::nullopt;
}

std::optional<DatabaseProblem> Catalogue::setOffline(std::string_view name) {
    std::lock_guard lock(mutex_);
    Database* target = database(name);
    if (!target) return DatabaseProblem{DatabaseProblem::Missing, std::string(name)};
    if (target->online && target->files) saveTables(*target);
    target->online = false;
    return std::nullopt;
}

std::optional<DatabaseProblem> Catalogue::setOnline(std::string_view name) {
    std::lock_guard lock(mutex_);
    Database* target = database(name);
    if (!target) return DatabaseProblem{DatabaseProblem::Missing, std::string(name)};
    if (!target->online && target->files) {
        if (std::optional<DatabaseProblem> problem = loadTables(*target)) return problem;
    }
    target->online = true;
    return std::nullopt;
}

std::optional<DatabaseProblem> Catalogue::detach(std::string_view name) {
    std::lock_guard lock(mutex_);
    Database* target = database(name);
    if (!target) return DatabaseProblem{DatabaseProblem::Missing, std::string(name)};
    if (target->online && target->files) saveTables(*target);
    databases_.erase(upperCase(name));
    return std::nullopt;
}

std::optional<DatabaseProblem> Catalogue::attach(const std::string& name, const std::string& dataFile,
                                                 const std::string& logFile) {
    std::lock_guard lock(mutex_);
    if (database(name)) return DatabaseProblem{DatabaseProblem::Exists, name};
    Database attached{name, true, DatabaseFiles{paths_.fromClient(dataFile), paths_.fromClient(logFile)}, {}};
    if (std::optional<DatabaseProblem> problem = loadTables(attached)) return problem;
    insert(std::move(attached));
    return std::nullopt;
}

std::optional<DatabaseProblem> Catalogue::loadTables(Database& target) {
    const DatabaseFiles& files = *target.files;
    std::optional<std::string> data = readWholeFile(files.data);
    if (!data) return DatabaseProblem{DatabaseProblem::FileMissing, paths_.toClient(files.data)};
    std::optional<std::string> log = readWholeFile(files.log);
    if (!log) return DatabaseProblem{DatabaseProblem::FileMissing, paths_.toClient(files.log)};
    std::vector<TableSnapshot> tables;
    try {
        tables = parseDataFile(*data);
    } catch (const InvalidDatabaseFile&) {
        return DatabaseProblem{DatabaseProblem::FileInvalid, paths_.toClient(files.data)};
    }
    if (!isLogFile(*log)) return DatabaseProblem{DatabaseProblem::FileInvalid, paths_.toClient(files.log)};
    target.tables.clear();
    for (TableSnapshot& table : tables) {
        for (TableRow& row : table.rows) row.id = nextRowId_++;
        std::string key = upperCase(table.name);
        target.tables.insert_or_assign(key, std::move(table));
    }
    return std::nullopt;
}

void Catalogue::saveTables(const Database& target) const {
    std::vector<TableSnapshot> tables;
    for (const auto& entry : target.tables) tables.push_back(entry.second);
    writeWholeFile(target.files->data, dataFileText(tables));
}

TableSnapshot Catalogue::fileTable(const Database& owner) const {
    TableSnapshot files{kFileTable, {"fileid", "groupid", "size", "maxsize", "growth", "status", "perf", "name", "filename"}, {}};
    if (!owner.files) return files;
    auto padded = [&](const std::filesystem::path& path) {
        std::string name = paths_.toClient(path);
        if (name.size() < kFileNameWidth) name.resize(kFileNameWidth, ' ');
        return name;
    };
    files.rows.push_back(TableRow{0, {"1", "1", pages(owner.files->data), "-1", "10", std::to_string(kStatusDiskFile), "0",
                                      owner.name, padded(owner.files->data)}});
    files.rows.push_back(TableRow{0, {"2", "0", pages(owner.files->log), "268435456", "10",
                                      std::to_string(kStatusDiskFile | kStatusLogFile), "0", owner.name + "_log",
                                      padded(owner.files->log)}});
    return files;
}

void Catalogue::insert(Database added) {
    added.id = nextDatabaseId_++;
    std::string key = upperCase(added.name);
    databases_.emplace(std::move(key), std::move(added));
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
