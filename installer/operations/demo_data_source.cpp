#include "installer/operations/demo_data_source.h"

#include "installer/hosts/data_set_catalogue.h"
#include "installer/hosts/host_locators.h"

namespace wf {

DatabaseFilePair DemoDataSource::companyFiles() const {
    return {folder + baseName + ".mdf", folder + baseName + ".ldf"};
}

DatabaseFilePair DemoDataSource::ourFiles() const {
    const std::string wrenfoldFolder = folder + "..\\WFdata\\";
    return {wrenfoldFolder + baseName + "SV.mdf", wrenfoldFolder + baseName + "SV.ldf"};
}

DemoDataSource demoDataSource(InstallerContext& context, int dataSetIndex) {
    DemoDataSource source;
    std::string below;  // the part below the host's own folder
    switch (context.host) {
        case HostSystem::CounterPointSql: {
            const std::string version = counterPointVersion(context);
            const auto& folders = context.state.strDataSetFolders;
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
            below = context.state.strGPVersion;
            break;
        case HostSystem::Passport:
            break;
    }
    source.folderPart = hostDemoSubfolder(context.host) + below;
    source.folder = hostDemoFolder(context) + below + "\\";
    return source;
}

}  // namespace wf
