#include "installer/operations/demo_data_source.h"

#include "common/line_reader.h"
#include "installer/hosts/counterpoint_files.h"
#include "installer/hosts/data_set_catalogue.h"

namespace wf {

DatabaseFilePair DemoDataSource::companyFiles() const {
    return {folder + baseName + ".mdf", folder + baseName + ".ldf"};
}

DatabaseFilePair DemoDataSource::ourFiles() const {
    const std::string wrenfoldFolder = folder + "..\\WFdata\\";
    return {wrenfoldFolder + baseName + "SV.mdf", wrenfoldFolder + baseName + "SV.ldf"};
}

std::string counterPointVersion(InstallerContext& context) {
    std::string version;
    ignoreFailure([&] {
        LineReader lines = openLines(context.files, context.state.host.strHostPath + "\\counterpoint.ini");
        version = readSoftwareVersion(lines);
    });
    return version;
}

DemoDataSource demoDataSource(InstallerContext& context, int dataSetIndex) {
    DemoDataSource source;
    std::string below;  // the part below the host's own folder
    switch (context.host) {
        case HostSystem::CounterPointSql: {
            const std::string version = counterPointVersion(context);
            const auto& folders = context.state.host.strDataSetFolders;
            if (dataSetIndex >= 0 && static_cast<std::size_t>(dataSetIndex) < folders.size()) {
                const std::string& set = folders[static_cast<std::size_t>(dataSetIndex)];
                below = set + "\\" + version;
                source.baseName = "Demo" + set;
            } else {
                below = version;
            }
            break;
        }
        case HostSystem::GreatPlains:
            below = context.state.host.strGPVersion;
            break;
        case HostSystem::Passport:
            break;
    }
    source.folderPart = hostDemoSubfolder(context.host) + below;
    source.folder = hostDemoFolder(context) + below + "\\";
    return source;
}

}  // namespace wf
