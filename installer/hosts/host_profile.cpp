#include "installer/hosts/host_profile.h"

#include "installer/hosts/company_catalogue.h"
#include "installer/hosts/host_locators.h"

namespace wf {
namespace {

constexpr HostProfile kCounterPointSql{
    .locateInstallation = GetCPRegistryInfo,
    .listCompanies = counterPointCompanies,
    .preselectsCurrentCompany = false,
    .readCompanyLogin = [](InstallerContext& context) { return LoginReading{.cpCatalog = GetCPLoginInfo(context)}; },
    .composesDynamicsString = false,
    .companyStringIsDataSource = false,
    .demoData = {.offered = true,
                 .folder = "CPointData\\",
                 .version = counterPointVersion,
                 .bySet = true,
                 .versionMustHoldFiles = true,
                 .pointsSharedDirectoryHere = true},
};

constexpr HostProfile kGreatPlains{
    .locateInstallation = [](InstallerContext& context) { return GetGreatPlainsRegistryLoginInfo(context, ""); },
    .listCompanies = greatPlainsCompanies,
    .preselectsCurrentCompany = false,
    .readCompanyLogin =
        [](InstallerContext& context) {
            return LoginReading{.installationFound =
                                    GetGreatPlainsRegistryLoginInfo(context, context.state.operation.strCompanyDB)};
        },
    .composesDynamicsString = true,
    .companyStringIsDataSource = false,
    .demoData = {.offered = true,
                 .folder = "GPData\\",
                 .version = [](InstallerContext& context) { return context.state.host.strGPVersion; },
                 .bySet = false,
                 .versionMustHoldFiles = false,
                 .pointsSharedDirectoryHere = false},
};

constexpr HostProfile kPassport{
    .locateInstallation =
        [](InstallerContext& context) {
            GetPassportRegistryLoginInfo(context, context.state.operation.strCompanyDB);
            return true;
        },
    .listCompanies = passportCompanies,
    .preselectsCurrentCompany = true,
    .readCompanyLogin =
        [](InstallerContext& context) {
            GetPassportRegistryLoginInfo(context, context.state.operation.strCompanyDB);
            return LoginReading{};
        },
    .composesDynamicsString = false,
    .companyStringIsDataSource = true,
    .demoData = {.offered = false,
                 .folder = "PBSData\\",
                 .version = [](InstallerContext&) { return std::string(); },
                 .bySet = false,
                 .versionMustHoldFiles = false,
                 .pointsSharedDirectoryHere = false},
};

}  // namespace

const HostProfile& hostProfile(HostSystem host) {
    switch (host) {
        case HostSystem::CounterPointSql:
            return kCounterPointSql;
        case HostSystem::GreatPlains:
            return kGreatPlains;
        case HostSystem::Passport:
            return kPassport;
    }
    return kCounterPointSql;
}

}  // namespace wf
