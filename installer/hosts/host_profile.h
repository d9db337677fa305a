#pragma once
// Everything in which the host systems differ, one profile each: how the
// installation is found, its companies listed and a company's login read, how
// the connection strings are composed, and where its demonstration data lies
// and what installing it does besides. The procedures keep their own names and
// places; a profile points to them.
#include <optional>
#include <string>
#include <vector>

#include "installer/hosts/counterpoint_files.h"
#include "installer/installer_context.h"

namespace wf {

// What reading the chosen company's login found.
struct LoginReading {
    // False when the host's installation has gone: the user has been told and
    // the program ended.
    bool installationFound = true;
    // CounterPoint SQL: the catalogue its connection line names, for strCPCatalog.
    std::optional<std::string> cpCatalog{};
};

struct DemoDataProfile {
    // The start page offers the installation.
    bool offered;
    // Below "SQLdbgen\demodata\" beside the program, with its closing separator.
    const char* folder;
    // The folder below it (below the data set's, when `bySet`) that holds the files.
    std::string (*version)(InstallerContext& context);
    // The chosen data set has a folder of its own, and "Demo" + that folder is
    // the files' base name; otherwise they have none (".mdf", "SV.mdf").
    bool bySet;
    // A version folder that holds no file means this installer has no data for
    // the host's version: the user is told and nothing is changed.
    bool versionMustHoldFiles;
    // Once installed, DB_CTL's shared directory names this installation.
    bool pointsSharedDirectoryHere;
};

struct HostProfile {
    // Run as the window loads. False when the installation is missing: the user
    // has been told and the program ended.
    bool (*locateInstallation)(InstallerContext& context);
    // The company list, in its order.
    std::vector<CompanyEntry> (*listCompanies)(InstallerContext& context);
    // The company list opens on the current company (strCompanyConnectionString).
    bool preselectsCurrentCompany;
    // Run on the company page for the company chosen (strCompanyDB).
    LoginReading (*readCompanyLogin)(InstallerContext& context);
    // strDynamicsConnectionString is composed too: the system database's.
    bool composesDynamicsString;
    // strCompanyConnectionString is the company's ODBC data source name itself.
    bool companyStringIsDataSource;
    DemoDataProfile demoData;
};

const HostProfile& hostProfile(HostSystem host);

}  // namespace wf
