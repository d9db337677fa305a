#include "tools/installer_sample/wizard_driver.h"

#include "installer/win32/data_ins_resources.h"
#include "tools/automation/poll_for.h"

namespace wf::sample {
namespace {

using namespace std::chrono_literals;

constexpr char kWindowTitle[] = "Wrenfold SQL Database Install";
constexpr char kBoxTitle[] = "Wrenfold Database Install";
// Defining a database or copying a data set keeps the window busy this long at most here.
constexpr auto kOperationTime = 60s;

}  // namespace

void PrintTo(WizardPage page, std::ostream* out) {
    static const char* const names[] = {"the start page", "the company page", "the data set page",
                                        "the processing page"};
    *out << names[static_cast<int>(page)];
}

WizardDriver::WizardDriver(DWORD processId, automation::Recorder& trail) : trail_(trail), processId_(processId) {
    if (auto shown = automation::waitForWindow(kWindowTitle, {}, 20s, processId)) window_ = shown->handle;
    trail_.note(window_ ? "window shown" : "no installer window");
}

WizardPage WizardDriver::page() const {
    if (shows(IDC_DATA_INS_PROCESSING_FRAME)) return WizardPage::Processing;
    if (shows(IDC_DATA_INS_DATA_TYPE)) return WizardPage::DataSet;
    if (shows(IDC_DATA_INS_COMPANY)) return WizardPage::Company;
    return WizardPage::Start;
}

WizardPage WizardDriver::pageBecomes(WizardPage expected) const {
    automation::pollFor(10s, [&] { return page() == expected; });
    return page();
}

bool WizardDriver::press(const std::string& caption) {
    trail_.note("press " + caption);
    return automation::pollFor(10s, [&] { return automation::pressButton(window_, caption); });
}

bool WizardDriver::choose(int list, const std::string& entry) {
    trail_.note("choose " + entry);
    return automation::selectListEntry(control(list), entry);
}

std::optional<automation::MessageBoxInfo> WizardDriver::messageBox() const {
    return automation::waitForMessageBox(kBoxTitle, kOperationTime);
}

std::string WizardDriver::answer(const std::string& button) {
    auto box = automation::answerMessageBox(kBoxTitle, button, kOperationTime, &trail_);
    return box ? box->text : "<no message box answered " + button + ">";
}

std::string WizardDriver::finishedWith() const {
    automation::pollFor(kOperationTime, [&] {
        return text(IDC_DATA_INS_PROC_NEXT) == "&Finish" && IsWindowEnabled(control(IDC_DATA_INS_PROC_NEXT));
    });
    return text(IDC_DATA_INS_INSTALLING_MSG);
}

bool WizardDriver::busyWith(const std::string& status) const {
    char shown[128] = {};
    // Read from the window's record: a message would wait for the busy thread.
    GetWindowTextA(GetDlgItem(window_, IDC_DATA_INS_INSTALLING_MSG), shown, sizeof shown);
    return shown == status && automation::topLevelWindows(processId_).size() == 1;
}

}  // namespace wf::sample
