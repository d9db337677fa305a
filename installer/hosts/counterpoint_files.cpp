#include "installer/hosts/counterpoint_files.h"

#include "common/run_error.h"
#include "common/text.h"

namespace wf {
namespace {

constexpr const char* kTopLevelKey = "TOPLEVEL";
// The key and its equals sign come before the directory.
constexpr std::size_t kTopLevelValueStart = 9;

constexpr const char* kVersionKey = "SWVERSION";
constexpr std::size_t kVersionStart = 10;
constexpr std::size_t kVersionLength = 5;

}  // namespace

std::optional<std::string> readTopLevelDirectory(LineReader& lines, HostFileLines& seen) {
    while (std::optional<std::string> line = lines.next()) {
        seen.read.push_back(*line);
        if (startsWithUpper(*line, kTopLevelKey))
            return line->size() > kTopLevelValueStart ? line->substr(kTopLevelValueStart) : std::string();
    }
    seen.remarks.push_back("No TOPLEVEL line was found.");
    return std::nullopt;
}

std::vector<CompanyEntry> readCompanyList(LineReader& lines, HostFileLines& seen) {
    std::vector<CompanyEntry> companies;
    std::optional<std::string> heading = lines.next();
    if (!heading) {
        seen.remarks.push_back("The file is empty: no companies are listed.");
        return companies;
    }
    seen.read.push_back(*heading);
    while (std::optional<std::string> line = lines.next()) {
        seen.read.push_back(*line);
        if (line->starts_with('[')) return companies;
        const std::size_t equals = line->find('=');
        if (equals == std::string::npos || equals == 0) {
            seen.remarks.push_back("Line " + std::to_string(seen.read.size()) + " is no company (id=name): \"" + *line +
                                   "\"; it was left out.");
            continue;
        }
        const std::size_t nameEnd = line->find('=', equals + 1);
        companies.push_back({line->substr(0, equals), line->substr(equals + 1, nameEnd - equals - 1)});
    }
    seen.remarks.push_back("The file ends before the section after the company list.");
    return companies;
}

std::optional<std::string> readConnectionLine(LineReader& lines, const std::string& companyId) {
    const std::string heading = "[" + companyId + "]";
    while (std::optional<std::string> line = lines.next())
        if (*line == heading) return lines.next();
    return std::nullopt;
}

std::string readSoftwareVersion(LineReader& lines) {
    std::string line;
    ignoreFailure([&] {
        while (std::optional<std::string> next = lines.next()) {
            line = std::move(*next);
            if (startsWithUpper(line, kVersionKey)) break;
        }
    });
    return line.size() > kVersionStart ? line.substr(kVersionStart, kVersionLength) : std::string();
}

std::string applyConnectionLine(const std::string& line, CompanyLogin& login) {
    // The catalogue names the database an operation may drop: it must come from
    // this company's own line, never be left over from the company before.
    std::string catalogue;
    struct Key {
        const char* name;
        std::string* value;
    };
    const Key keys[] = {
        {"PASSWORD=", &login.strDBPassword},
        {"USER ID=", &login.strDBUser},
        {"DATA SOURCE=", &login.strDBServer},
        {"INITIAL CATALOG=", &catalogue},
        {"INTEGRATED SECURITY=", &login.strCPIntegratedSecurity},
    };
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = line.find(';', start);
        if (end == std::string::npos) end = line.size();
        const std::string item = line.substr(start, end - start);
        for (const Key& key : keys)
            if (startsWithUpper(item, key.name)) *key.value = item.substr(std::string_view(key.name).size());
        start = end + 1;
    }
    return catalogue;
}

}  // namespace wf
