#include "installer/operations/demo_data_source.h"

#include "installer/hosts/data_set_catalogue.h"
#include "installer/hosts/host_profile.h"

namespace wf {

DatabaseFilePair DemoDataSource::companyFiles() const {
    return {folder + baseName + ".mdf", folder + baseName + ".ldf"};
}

DatabaseFilePair DemoDataSource::ourFiles() const {
    const std::string wrenfoldFolder = folder + "..\\WFdata\\";
    return {wrenfoldFolder + baseName + "SV.mdf", wrenfoldFolder + baseName + "SV.ldf"};
}

DemoDataSource demoDataSource(InstallerContext& context, int dataSetIndex) {
    const DemoDataProfile& demoData = hostProfile(context.host).demoData;
    DemoDataSource source;
    std::string below = demoData.version(context);  // the part below the host's own folder
    const auto& folders = context.state.host.strDataSetFolders;
    if (demoData.bySet && dataSetIndex >= 0 && static_cast<std::size_t>(dataSetIndex) < folders.size()) {
        const std::string& set = folders[static_cast<std::size_t>(dataSetIndex)];
        below = set + "\\" + below;
        source.baseName = "Demo" + set;
    }
    source.folderPart = demoData.folder + below;
    source.folder = hostDemoFolder(context) + below + "\\";
    return source;
}

}  // namespace wf
