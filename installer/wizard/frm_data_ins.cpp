#include "installer/wizard/frm_data_ins.h"

#include "common/text.h"
#include "installer/hosts/data_set_catalogue.h"
#include "installer/hosts/host_profile.h"

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
    Label5.caption = "The function you have selected is now being perfomed, this may take several minutes to complete";
    cmdProcPrev.caption = "&Previous";
    cmdProcPrev.enabled = false;
    cmdProcNext.caption = "&Next";
    cmdProcNext.enabled = false;
}

void frmDataIns::Form_Load() {
    InstallerState& state = context_.state;
    const ProgramVersion version = context_.process.programVersion();
    lblVersion.caption += " " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                          std::to_string(version.revision);

    const HostProfile& host = hostProfile(context_.host);
    if (!host.locateInstallation(context_)) {
        window.unloaded = true;
        return;
    }
    if (!host.demoData.offered) cmdDemoData.enabled = false;

    state.host.strCompanyIds.assign(1, std::string());
    cmboCompany.items.clear();
    for (const CompanyEntry& company : host.listCompanies(context_)) addCompany(company.id, company.name);
    if (host.preselectsCurrentCompany) preselectCurrentCompany();

    cmboDataType.items.clear();
    const std::vector<DataSetEntry> dataSets = listDataSets(context_, state.host.strDataSetFolders.size());
    for (std::size_t index = 0; index < dataSets.size(); ++index) {
        state.host.strDataSetFolders[index] = dataSets[index].folder;
        cmboDataType.items.push_back(dataSets[index].name);
    }
}

void frmDataIns::addCompany(const std::string& id, const std::string& name) {
    std::vector<std::string>& ids = context_.state.host.strCompanyIds;
    const std::size_t index = cmboCompany.items.size();
    if (ids.size() <= index) ids.resize(index + 1);
    ids[index] = id;
    cmboCompany.items.push_back(name);
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
