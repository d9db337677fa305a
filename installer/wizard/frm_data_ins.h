#pragma once
// The installer's only window: a wizard whose start page offers the two
// operations, a company page (with the data set list in the same place) and a
// processing page, the two later pages each a frame over the start page.
// The class spans two files: frm_data_ins.cpp loads the form and fills its
// lists; frm_data_ins_flow.cpp holds the page flow and runs the operations.
#include <cstdint>

#include "installer/dialogs/form_controls.h"
#include "installer/installer_context.h"
#include "installer/operations/company_checks.h"
#include "installer/operations/operation_outcome.h"
#include "installer/operations/work_progress.h"
#include "installer/wizard/progress_display.h"

namespace wf {

class frmDataIns {
public:
    // The processing page's bar counts in thousandths of the operation.
    static constexpr int kProgressMaximum = 1000;

    explicit frmDataIns(InstallerContext context);
    // The focus refers to the form's own controls: a form is never copied.
    frmDataIns(const frmDataIns&) = delete;
    frmDataIns& operator=(const frmDataIns&) = delete;

    FormWindow window;

    // Start page.
    Label Label1;
    CommandButton cmdEmptyFiles;
    Label lblEmptyFiles;
    CommandButton cmdDemoData;
    Label lblDemoData;
    CommandButton cmdExit;
    Label lblVersion;

    // Company page.
    Frame fraCompanyInfo;
    Label lblWhatDoing;
    Label lblCompanyInstrs;
    ComboBox cmboCompany;
    ComboBox cmboDataType;
    CommandButton cmdCompanyPrev;
    CommandButton cmdCompanyNext;

    // Processing page.
    Frame fraProcessing;
    Label lblInstallingMsg;
    // Below the status line, shown once an operation starts: how far it has come.
    ProgressBar prgProcessing;
    Label Label5;
    CommandButton cmdProcPrev;
    CommandButton cmdProcNext;

    // Runs once before the window is first shown: the version caption, the host
    // system's installation, its companies and the demonstration data sets. When
    // the host system is missing the program has been ended and the window unloaded.
    void Form_Load();

    // The page flow: the start page's three buttons, the company (or data set)
    // page's Previous and Next, and Finish on the processing page.
    void cmdDemoData_Click();
    void cmdEmptyFiles_Click();
    void cmdExit_Click();
    void cmdCompanyPrev_Click();
    void cmdCompanyNext_Click();
    void cmdProcNext_Click();
    // The user closes the window: outside an operation that is Exit; while demo data
    // is being installed the user is asked whether to stop it and exit, which the
    // installation does at its next step, once it has put back what it changed and
    // the outcome has been shown; the definition cannot be stopped and runs on.
    void Form_QueryUnload();

private:
    // The entry whose id is the current company's data source, in any case (Passport).
    void preselectCurrentCompany();

    void showCompanyPage(const char* whatDoing, const char* instructions);
    void showStartPage();
    // False when a check refused and the user was told: the company list takes the
    // focus again, or the window goes when the program has been ended.
    bool passes(CheckOutcome outcome);
    void defineEmptyDatabase();
    void installDemoData();
    void startProcessing(const char* status);
    void endProcessing();
    void tellOutcome(const OperationOutcome& outcome);
    void finishProcessing();
    // Shows how far the copy of `target` has got; false once the user chose to stop.
    bool showCopyProgress(const std::string& target, std::uint64_t copied, std::uint64_t total);
    // Hands an operation's progress to the processing page's bar.
    WorkProgress showProgress();
    void refresh();
    std::string selectedCompanyName() const;

    InstallerContext context_;
    ProgressDisplay progress_{prgProcessing, context_.clock, [this] { refresh(); }};
    bool working_ = false;
    bool exitRequested_ = false;
};

}  // namespace wf
