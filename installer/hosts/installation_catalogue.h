#pragma once
// What start-up finds of the host system's installation: where it is, its
// companies and the demonstration data sets, listed into the shared state for
// the wizard and the command line alike.
#include <optional>
#include <string>
#include <vector>

#include "installer/hosts/counterpoint_files.h"
#include "installer/installer_context.h"

namespace wf {

struct InstallationCatalogue {
    // In the list's order; strCompanyIds holds their ids at the same places.
    std::vector<CompanyEntry> companies;
    // The data sets' names; strDataSetFolders holds their folders at the same places.
    std::vector<std::string> dataSets;
};

// Locates the installation, then lists its companies and data sets into the
// state. Nothing when the installation is missing: the user has been told and
// the program ended.
std::optional<InstallationCatalogue> loadInstallationCatalogue(InstallerContext& context);

}  // namespace wf
