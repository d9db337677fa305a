#include "installer/hosts/data_set_catalogue.h"

#include "common/line_reader.h"
#include "installer/hosts/host_profile.h"
#include "installer/login/error_log.h"

namespace wf {
namespace {

struct BuiltInDataSet {
    const char* pattern;
    const char* name;
    const char* folder;
};

constexpr BuiltInDataSet kBuiltInDataSets[] = {
    {"Spa\\WfData\\*.*", "Pool and Spa", "Spa"},
    {"Auto\\WfData\\*.*", "Vehicle Maintenance", "Auto"},
    {"HVAC\\WfData\\*.*", "Heating and Air", "HVAC"},
};

// The first line of the entry's DataDesc.txt; empty when it has none or cannot be read.
std::string descriptionOf(FileSystem& files, const std::string& demoFolder, const std::string& entry) {
    std::string line;
    ignoreFailure([&] {
        LineReader lines = openLines(files, demoFolder + entry + "\\DataDesc.txt");
        line = lines.next().value_or("");
    });
    return line;
}

void noteLeftOut(InstallerContext& context, const std::string& demoFolder, const std::vector<std::string>& leftOut,
                 std::size_t slots) {
    std::string names;
    for (const std::string& folder : leftOut) names += (names.empty() ? "" : ", ") + folder;
    context.errorLog().fileNote(
        demoFolder, {}, {"Only " + std::to_string(slots) + " data sets can be listed; left out: " + names + "."});
}

}  // namespace

std::string hostDemoFolder(InstallerContext& context) {
    return context.process.programFolder() + "\\SQLdbgen\\demodata\\" + hostProfile(context.host).demoData.folder;
}

std::vector<DataSetEntry> listDataSets(InstallerContext& context, std::size_t slots) {
    const std::string demoFolder = hostDemoFolder(context);
    std::vector<std::string> entries;
    ignoreFailure([&] { entries = context.files.listFolder(demoFolder); });

    std::vector<DataSetEntry> dataSets;
    std::vector<std::string> leftOut;
    for (const std::string& entry : entries) {
        std::string name = descriptionOf(context.files, demoFolder, entry);
        if (name.empty()) continue;
        if (dataSets.size() < slots)
            dataSets.push_back({entry, std::move(name)});
        else
            leftOut.push_back(entry);
    }
    if (!leftOut.empty()) noteLeftOut(context, demoFolder, leftOut, slots);
    if (!dataSets.empty()) return dataSets;

    for (const BuiltInDataSet& builtIn : kBuiltInDataSets) {
        std::string found;
        ignoreFailure([&] { found = context.files.findFile(demoFolder + builtIn.pattern); });
        if (!found.empty() && dataSets.size() < slots) dataSets.push_back({builtIn.folder, builtIn.name});
    }
    return dataSets;
}

}  // namespace wf
