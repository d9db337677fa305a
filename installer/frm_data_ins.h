#pragma once
// The installer's only window: a wizard whose start page offers the two
// operations, a company page (with the data set list in the same place) and a
// processing page, the two later pages each a frame over the start page.
#include "installer/dialogs/form_controls.h"
#include "installer/installer_context.h"

namespace wf {

class frmDataIns {
public:
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
    Label Label5;
    CommandButton cmdProcPrev;
    CommandButton cmdProcNext;

    // Runs once before the window is first shown: the version caption, the host
    // system's installation, its companies and the demonstration data sets. When
    // the host system is missing the program has been ended and the window unloaded.
    void Form_Load();
    void cmdExit_Click();

private:
    void addCompany(const std::string& id, const std::string& name);
    // Passport: the entry whose id is the current company's data source, in any case.
    void preselectCurrentCompany();

    InstallerContext context_;
};

}  // namespace wf
