// The wizard's page flow: choosing an operation and a company, the checks made
// before anything is changed, and the processing page that runs the operation.
#include "installer/operations/company_checks.h"
#include "installer/operations/demo_data.h"
#include "installer/operations/empty_database.h"
#include "installer/operations/operation_outcome.h"
#include "installer/wizard/frm_data_ins.h"

namespace wf {
namespace {

constexpr const char* kDemoWhatDoing = "Installing Wrenfold demonstration data";
constexpr const char* kDemoInstructions =
    "Please select a valid CP SQL company into which you would like to install Wrenfold demo data, then click 'Next' "
    "to continue.";
constexpr const char* kEmptyWhatDoing = "Defining a new Wrenfold database, for use in a new company";
constexpr const char* kEmptyInstructions =
    "Please select a valid company to which you would like to add a Wrenfold database, then click 'Next' to continue.";
constexpr const char* kDataSetInstructions =
    "Select the type of demo data you would like to install, then click 'Next' to continue.";
// Databases may be detached while an operation runs: ending the session then would strand them.
constexpr const char* kShutdownBlockReason = "Wrenfold databases are being replaced";

}  // namespace

void frmDataIns::cmdDemoData_Click() {
    context_.state.operation.bDemoData = true;
    context_.state.operation.bEmptyDatabase = false;
    cmboDataType.listIndex = -1;
    showCompanyPage(kDemoWhatDoing, kDemoInstructions);
}

void frmDataIns::cmdEmptyFiles_Click() {
    context_.state.operation.bDemoData = false;
    context_.state.operation.bEmptyDatabase = true;
    showCompanyPage(kEmptyWhatDoing, kEmptyInstructions);
}

void frmDataIns::showCompanyPage(const char* whatDoing, const char* instructions) {
    lblWhatDoing.caption = whatDoing;
    lblCompanyInstrs.caption = instructions;
    cmboDataType.visible = false;
    cmboCompany.visible = true;
    fraCompanyInfo.visible = true;
    window.focus = &cmboCompany;
}

void frmDataIns::showStartPage() {
    fraCompanyInfo.visible = false;
    fraProcessing.visible = false;
}

void frmDataIns::cmdExit_Click() {
    window.unloaded = true;
    context_.ui.endProgram();
}

void frmDataIns::Form_QueryUnload() {
    if (!working_) {
        cmdExit_Click();
        return;
    }
    if (!context_.state.operation.bDemoData || exitRequested_) return;
    const int answer = context_.ui.messageBox(
        "The demonstration data is still being installed.\r\n\r\n"
        "Stop the installation and exit? Both databases are given their own data back.",
        kYesNo + kExclamation, "");
    exitRequested_ = answer == kAnswerYes;
}

void frmDataIns::cmdCompanyPrev_Click() {
    if (cmboDataType.visible) {
        cmdDemoData_Click();
        return;
    }
    showStartPage();
}

void frmDataIns::cmdProcNext_Click() { showStartPage(); }

void frmDataIns::cmdCompanyNext_Click() {
    if (!passes(checkChosenCompany(context_, cmboCompany.listIndex)) || !passes(checkWrenfoldDatabase(context_)))
        return;
    if (context_.state.operation.bEmptyDatabase) {
        defineEmptyDatabase();
        return;
    }
    installDemoData();
}

bool frmDataIns::passes(CheckOutcome outcome) {
    if (outcome == CheckOutcome::ProgramEnded) window.unloaded = true;
    if (outcome == CheckOutcome::Refused) window.focus = &cmboCompany;
    return outcome == CheckOutcome::Passed;
}

void frmDataIns::defineEmptyDatabase() {
    startProcessing(kDefiningStatus);
    const bool defined = CreateEmptyDatabase(context_, showProgress());
    progress_.end(defined);
    endProcessing();
    tellOutcome(definitionOutcome(context_.process, defined));
    finishProcessing();
}

void frmDataIns::installDemoData() {
    if (cmboDataType.listIndex < 0) {
        lblWhatDoing.caption += " into " + selectedCompanyName();
        lblCompanyInstrs.caption = kDataSetInstructions;
        cmboCompany.visible = false;
        cmboDataType.visible = true;
        window.focus = &cmboDataType;
        return;
    }
    if (!confirmDemoReplacement(context_, selectedCompanyName())) {
        showStartPage();
        return;
    }
    startProcessing(kInstallingStatus);
    InstallationWatch watch;
    watch.progress = [this](const std::string& target, std::uint64_t copied, std::uint64_t total) {
        return showCopyProgress(target, copied, total);
    };
    watch.advanced = showProgress();
    // Between two steps the window answers, so a close pressed meanwhile is asked about now.
    watch.stopRequested = [this] {
        refresh();
        return exitRequested_;
    };
    const bool installed = InstallDemoData(context_, cmboDataType.listIndex, watch) == DemoDataResult::Installed;
    progress_.end(installed);
    endProcessing();
    tellOutcome(demoDataOutcome(installed));
    if (exitRequested_) {
        cmdExit_Click();
        return;
    }
    finishProcessing();
}

void frmDataIns::startProcessing(const char* status) {
    cmdProcNext.caption = "&Next";
    lblInstallingMsg.caption = status;
    fraProcessing.visible = true;
    cmdProcNext.enabled = false;
    fraCompanyInfo.visible = false;
    working_ = true;
    window.shutdownBlockReason = kShutdownBlockReason;
    progress_.start();
    refresh();
    context_.ui.setBusyPointer(true);
}

// The page reads the outcome before the message about it shows over it.
void frmDataIns::tellOutcome(const OperationOutcome& outcome) {
    lblInstallingMsg.caption = outcome.status;
    refresh();
    context_.ui.messageBox(outcome.message, outcome.style, "");
}

void frmDataIns::endProcessing() {
    working_ = false;
    window.shutdownBlockReason.clear();
    context_.ui.setBusyPointer(false);
}

void frmDataIns::finishProcessing() {
    cmdProcNext.caption = "&Finish";
    cmdProcNext.enabled = true;
    window.focus = &cmdProcNext;
}

bool frmDataIns::showCopyProgress(const std::string& target, std::uint64_t copied, std::uint64_t total) {
    if (exitRequested_) return false;
    const std::uint64_t percent = copyPercent(copied, total);
    // Between two copies the status tells of the installation as a whole again.
    const std::string status = percent >= 100 ? std::string(kInstallingStatus) : copyProgressText(target, percent);
    if (status != lblInstallingMsg.caption) {
        lblInstallingMsg.caption = status;
        refresh();
    }
    return !exitRequested_;
}

WorkProgress frmDataIns::showProgress() {
    return [this](std::uint64_t done, std::uint64_t total) { progress_.show(done, total); };
}

void frmDataIns::refresh() {
    if (window.refresh) window.refresh();
}

std::string frmDataIns::selectedCompanyName() const {
    const int selected = cmboCompany.listIndex;
    if (selected < 0 || static_cast<std::size_t>(selected) >= cmboCompany.items.size()) return {};
    return cmboCompany.items[static_cast<std::size_t>(selected)];
}

}  // namespace wf
