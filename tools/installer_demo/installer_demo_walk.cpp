// The installer demo's hands under Wine.
//   installer_demo_walk lay <folder> <dbprep.exe> <stand-in port>
//     lays out the sample CounterPoint SQL installation in <folder>.
//   installer_demo_walk walk <folder> <screenshot folder>
//     starts <folder>\program\dbprep.exe and walks its wizard as an administrator
//     would: an empty Wrenfold database defined for Acme Ltd (Next first without a
//     company; the user's Wrenfold login wrong at first, so the logon dialog and
//     its server list show), defined once more up to the overwrite question, then
//     the "Pool and Spa" data set installed, with a screenshot of each page and
//     question. The stand-in is expected to hold back one batch of the definition
//     and one step of the installation, so the processing page is shot at work.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include "installer/win32/data_ins_resources.h"
#include "installer/win32/dialog_resources.h"
#include "tools/automation/polling.h"
#include "tools/installer_sample/installer_sample.h"
#include "tools/installer_sample/wizard_driver.h"

namespace {

using namespace std::chrono_literals;
namespace automation = wf::automation;
using wf::sample::WizardDriver;
using wf::sample::WizardPage;

int fail(const std::string& what) {
    std::fprintf(stderr, "installer demo walk: %s\n", what.c_str());
    return 1;
}

class Walk {
public:
    Walk(WizardDriver& wizard, std::string shots) : wizard_(wizard), shots_(std::move(shots)) {}

    void shoot(HWND window, const std::string& name) { automation::saveScreenshot(window, shotPath(name)); }
    void press(const std::string& caption) {
        if (!wizard_.press(caption)) throw std::runtime_error("no button " + caption);
    }
    // Waits for the page, picks `entry` of its list when given, and shows it when named.
    void reach(WizardPage page, const std::string& shot = {}, int list = 0, const std::string& entry = {}) {
        if (wizard_.pageBecomes(page) != page) {
            std::ostringstream named;
            wf::sample::PrintTo(page, &named);
            throw std::runtime_error("the wizard did not reach " + named.str());
        }
        if (list != 0 && !wizard_.choose(list, entry)) throw std::runtime_error("no entry " + entry);
        if (!shot.empty()) shoot(wizard_.window(), shot);
    }
    // Shows the processing page while the program waits for the step the stand-in
    // holds back, as the screen shows it: the program's thread cannot be asked.
    void whileBusy(const std::string& status, const std::string& shot) {
        const auto busy = [&] { return wizard_.busyWith(status); };
        if (!automation::pollFor(30s, busy)) throw std::runtime_error("the processing page did not show at work");
        // The steps before the held one are quick: by now the program waits for it.
        Sleep(2000);
        if (!busy() || !automation::saveScreenshotAsItIs(wizard_.window(), shotPath(shot)))
            throw std::runtime_error("the processing page was not caught at work");
    }
    // The login is refused: the message, then the logon dialog and its server
    // list are shown, and the right login is given in the dialog and for later.
    void logOn() {
        answer("OK", "login-failed");
        const auto logon = automation::waitForWindow("Database Logon", "#32770", 20s, wizard_.processId());
        if (!logon) throw std::runtime_error("no logon dialog");
        shoot(logon->handle, "logon");
        // Posted: the server list is a modal dialog of its own.
        PostMessageA(automation::controlById(logon->handle, IDC_LOGON_LOOKUP), BM_CLICK, 0, 0);
        const auto lookup = automation::waitForWindow("SQL Server Lookup", {}, 30s, wizard_.processId());
        if (!lookup) throw std::runtime_error("no server list");
        shoot(lookup->handle, "server-list");
        if (!automation::pressButton(lookup->handle, "Cancel") || !automation::waitUntilClosed(lookup->handle, 10s))
            throw std::runtime_error("the server list did not close");
        // Each company's check reads the user's login again.
        wf::sample::putWrenfoldLogin(wf::sample::kSampleUser, wf::sample::kSamplePassword);
        if (!automation::setEditText(automation::controlById(logon->handle, IDC_LOGON_PASSWORD),
                                     wf::sample::kSamplePassword) ||
            !automation::pressButton(logon->handle, "OK"))
            throw std::runtime_error("the logon dialog did not take the password");
    }
    // Shows the question or message, then answers it.
    void answer(const std::string& button, const std::string& shot) {
        auto box = wizard_.messageBox();
        if (!box) throw std::runtime_error("no message box to answer " + button);
        shoot(box->handle, shot);
        std::printf("%s: %s -> %s\n", shot.c_str(), box->text.c_str(), button.c_str());
        wizard_.answer(button);
    }
    void finish(const std::string& shot) {
        std::printf("status: %s\n", wizard_.finishedWith().c_str());
        shoot(wizard_.window(), shot);
        press("&Finish");
    }

private:
    std::string shotPath(const std::string& name) {
        return shots_ + "\\" + std::to_string(++shotNumber_) + "-" + name + ".png";
    }

    WizardDriver& wizard_;
    std::string shots_;
    int shotNumber_ = 0;
};

int walk(const std::string& folder, const std::string& shots) {
    wf::sample::putWrenfoldLogin(wf::sample::kSampleUser, "Wrong1");
    std::string command = "\"" + folder + "\\program\\dbprep.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return fail("dbprep.exe did not start");
    CloseHandle(process.hThread);
    automation::Recorder trail;
    WizardDriver wizard(process.dwProcessId, trail);
    if (!wizard.found()) return fail("the installer window did not show");
    Walk walk(wizard, shots);
    try {
        walk.reach(WizardPage::Start, "start");
        walk.press("Define new &empty database");
        walk.reach(WizardPage::Company);
        walk.press("&Next");
        walk.answer("OK", "no-company");
        walk.reach(WizardPage::Company, "company", IDC_DATA_INS_COMPANY, "Acme Ltd");
        walk.press("&Next");
        walk.logOn();
        walk.whileBusy("Defining database, please wait...", "defining");
        walk.answer("OK", "defined-message");
        walk.finish("defined");

        walk.press("Define new &empty database");
        walk.reach(WizardPage::Company);
        walk.press("&Next");
        walk.answer("No", "overwrite-question");
        walk.press("&Previous");
        walk.reach(WizardPage::Start);

        walk.press("Install &demo data");
        walk.reach(WizardPage::Company, "demo-company");
        walk.press("&Next");
        walk.reach(WizardPage::DataSet, "data-set", IDC_DATA_INS_DATA_TYPE, "Pool and Spa");
        walk.press("&Next");
        walk.answer("Yes", "demo-question");
        walk.whileBusy("Installing data, please wait...", "installing");
        walk.answer("OK", "installed-message");
        walk.finish("installed");
        walk.press("&Exit");
    } catch (const std::runtime_error& stopped) {
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        return fail(stopped.what());
    }
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string usage =
        "usage: installer_demo_walk lay <folder> <dbprep.exe> <stand-in port> | walk <folder> <screenshot folder>";
    if (argc == 5 && std::string(argv[1]) == "lay") {
        try {
            const wf::sample::InstallerSample sample =
                wf::sample::layInstallerSample(argv[2], argv[3], std::atoi(argv[4]));
            std::printf("program folder: %s\nCounterPoint SQL: %s\n", sample.program.c_str(), sample.topLevel.c_str());
            return 0;
        } catch (const std::runtime_error& failure) {
            return fail(failure.what());
        }
    }
    if (argc == 4 && std::string(argv[1]) == "walk") return walk(argv[2], argv[3]);
    return fail(usage);
}
