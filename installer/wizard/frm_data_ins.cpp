#include "installer/wizard/frm_data_ins.h"

#include "common/text.h"
#include "installer/hosts/host_profile.h"
#include "installer/hosts/installation_catalogue.h"

namespace wf {

frmDataIns::frmDataIns(InstallerContext context) : context_(context) {
    window.caption = "Wrenfold SQL Database Install";
    Label1.caption = "Select an option to continue.";
    cmdEmptyFiles.caption = "Define new &empty database";
    lblEmptyFiles.caption = "Create an initialized Wrenfold SQL database for use in a new company setup";
    cmdDemoData.caption = "Install &demo data";
    lblDemoData.caption = "Install Wrenfold demonstration data";
    cmdExit.caption = "&Exit";
    lblVersion.caption = "Version";
    fraCompanyInfo.visible = false;
    lblWhatDoing.caption = "What we're doing: ";
    cmdCompanyPrev.caption = "&Previous";
    cmdCompanyNext.caption = "&Next";
    fraProcessing.visible = false;
    prgProcessing.visible = false;
    prgProcessing.maximum = kProgressMaximum;
    Label5.caption = "The function you have selected is now being perfomed, this may take several minutes to complete";
    cmdProcPrev.caption = "&Previous";
    cmdProcPrev.enabled = false;
    cmdProcNext.caption = "&Next";
    cmdProcNext.enabled = false;
}

void frmDataIns::Form_Load() {
    const ProgramVersion version = context_.process.programVersion();
    lblVersion.caption += " " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                          std::to_string(version.revision);

    const std::optional<InstallationCatalogue> catalogue = loadInstallationCatalogue(context_);
    if (!catalogue) {
        window.unloaded = true;
        return;
    }
    const HostProfile& host = hostProfile(context_.host);
    if (!host.demoData.offered) cmdDemoData.enabled = false;
    cmboCompany.items.clear();
    for (const CompanyEntry& company : catalogue->companies) cmboCompany.items.push_back(company.name);
    if (host.preselectsCurrentCompany) preselectCurrentCompany();
    cmboDataType.items = catalogue->dataSets;
}

void frmDataIns::preselectCurrentCompany() {
    const std::string current = toUpper(context_.state.connections.strCompanyConnectionString);
    for (std::size_t index = 0; index < cmboCompany.items.size(); ++index) {
        if (toUpper(context_.state.host.strCompanyIds[index]) == current) {
            cmboCompany.listIndex = static_cast<int>(index);
            return;
        }
    }
}

}  // namespace wf
