#include "installer/hosts/installation_catalogue.h"

#include <algorithm>

#include "installer/hosts/data_set_catalogue.h"
#include "installer/hosts/host_profile.h"

namespace wf {

std::optional<InstallationCatalogue> loadInstallationCatalogue(InstallerContext& context) {
    const HostProfile& host = hostProfile(context.host);
    if (!host.locateInstallation(context)) return std::nullopt;
    HostInstallation& installation = context.state.host;

    InstallationCatalogue catalogue;
    catalogue.companies = host.listCompanies(context);
    // The list's first place has an id even when no company is listed.
    installation.strCompanyIds.assign(std::max<std::size_t>(1, catalogue.companies.size()), std::string());
    for (std::size_t index = 0; index < catalogue.companies.size(); ++index)
        installation.strCompanyIds[index] = catalogue.companies[index].id;

    const std::vector<DataSetEntry> dataSets = listDataSets(context, installation.strDataSetFolders.size());
    for (std::size_t index = 0; index < dataSets.size(); ++index) {
        installation.strDataSetFolders[index] = dataSets[index].folder;
        catalogue.dataSets.push_back(dataSets[index].name);
    }
    return catalogue;
}

}  // namespace wf
