#include "installer/operations/demo_data_checks.h"

#include <cctype>
#include <set>

#include "common/text.h"

namespace wf {
namespace {

constexpr const char* kNothingChanged = "\r\n\r\nNothing has been changed.";

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool isLocalDrivePath(const std::string& path) {
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' ||
        !isSeparator(path[2]))
        return false;
    std::size_t start = 3;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        if (path.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

namespace {

struct DatabaseFile {
    const PlannedExchange& plan;
    const char* kind;
    const std::string& path;

    std::string named() const {
        return "The " + std::string(kind) + " file of the database " + plan.database + ", " + path + ",";
    }
};

std::optional<std::string> refusalOf(FileSystem& files, const DatabaseFile& file, std::set<std::string>& seen) {
    if (file.path.empty())
        return "SQL Server names no " + std::string(file.kind) + " file for the database " + file.plan.database + ".";
    if (!isLocalDrivePath(file.path)) return file.named() + " is not on a local drive of the SQL Server computer.";
    if (!seen.insert(toLower(file.path)).second) return "The file " + file.path + " is named for two database files.";
    if (!files.fileExists(file.path)) {
        return file.named() +
               " is not on this computer.\r\n\r\n"
               "Demonstration data can only be installed on the SQL Server computer itself: "
               "run dbprep there.";
    }
    const std::string aside = setAsidePath(file.path);
    if (files.fileExists(aside)) {
        return "The file " + aside +
               " is left from an installation that did not finish and may hold the database's "
               "own data.\r\n\r\nMove it elsewhere before installing demonstration data.";
    }
    return std::nullopt;
}

std::optional<std::string> refusalOf(FileSystem& files, const std::vector<PlannedExchange>& plans) {
    for (const PlannedExchange& plan : plans) {
        for (const std::string* prepared : {&plan.prepared.data, &plan.prepared.log}) {
            if (files.fileExists(*prepared)) continue;
            return "The demonstration data set lacks the file\r\n" + *prepared +
                   "\r\n\r\nPlease make sure that the Wrenfold demo data directory exists";
        }
    }
    std::set<std::string> seen;  // lower-case paths, as Windows compares them
    for (const PlannedExchange& plan : plans) {
        for (const DatabaseFile& file :
             {DatabaseFile{plan, "data", plan.own.data}, DatabaseFile{plan, "log", plan.own.log}}) {
            if (std::optional<std::string> refusal = refusalOf(files, file, seen)) return refusal;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> exchangeRefusal(FileSystem& files, const std::vector<PlannedExchange>& plans) {
    try {
        const std::optional<std::string> refusal = refusalOf(files, plans);
        if (refusal) return *refusal + kNothingChanged;
        return std::nullopt;
    } catch (const RunError& failure) {
        // What cannot be looked at cannot be counted on.
        return "The database files could not be checked: " + failure.description() + "." + kNothingChanged;
    }
}

}  // namespace wf
