#pragma once
// What dbprep reads from CounterPoint SQL's own text files: the top-level
// directory in "\bin\CounterPoint.ini", and in "Companies.ini" the list of
// companies (its first section) and each company's connection line (the line
// after the company's own "[id]" heading).
#include <optional>
#include <string>
#include <vector>

#include "common/line_reader.h"
#include "installer/installer_state.h"

namespace wf {

struct CompanyEntry {
    std::string id;
    std::string name;
};

// The lines read, in order, for the file note, and what was wrong with the file.
struct HostFileLines {
    std::vector<std::string> read;
    std::vector<std::string> remarks;
};

// Reads up to and including the first line whose first eight characters are
// "TOPLEVEL" in any case; the directory is that line from its tenth character.
// Nothing when the file has no such line.
std::optional<std::string> readTopLevelDirectory(LineReader& lines, HostFileLines& seen);

// The companies of the first section: after its heading, one "id=name" line each
// up to the first line that starts with "["; the name runs to the next "=".
// Lines without "=" or with an empty id list nothing and are remarked.
std::vector<CompanyEntry> readCompanyList(LineReader& lines, HostFileLines& seen);

// The line after the heading "[companyId]" (matched exactly); nothing when the
// heading is missing or is the file's last line.
std::optional<std::string> readConnectionLine(LineReader& lines, const std::string& companyId);

// The CounterPoint SQL version in "counterpoint.ini": characters 11 to 15 of the
// first line whose first nine characters are "SWVERSION" in any case (the tenth,
// normally "=", is skipped). Without such a line, those characters of the last
// line read; empty when no line could be read.
std::string readSoftwareVersion(LineReader& lines);

// Takes the login of a connection line ("KEY=value;..."): PASSWORD, USER ID, DATA
// SOURCE and INTEGRATED SECURITY into the login, and returns its INITIAL CATALOG
// (empty when it names none). Keys in any case, values as written, the later of
// a repeated key winning; other items are ignored. Keys the line lacks keep
// their values.
std::string applyConnectionLine(const std::string& line, CompanyLogin& login);

}  // namespace wf
