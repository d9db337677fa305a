// Starts WrenfoldClient.exe as a workstation user would on the first run, answers
// its question, browses to the server program, and saves a screenshot of each
// step. Usage: client_demo_walk <client.exe> <server program> <screenshot folder> [arguments...]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/automation/automation.h"

namespace {

using namespace std::chrono_literals;
namespace automation = wf::automation;

int fail(const char* what) {
    std::fprintf(stderr, "demo walk: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return fail("usage: client_demo_walk <client.exe> <server program> <screenshot folder> [arguments...]");
    const std::string client = argv[1];
    const std::string server = argv[2];
    const std::string shots = argv[3];
    std::string command = "\"" + client + "\"";
    for (int i = 4; i < argc; ++i) command += std::string(" ") + argv[i];

    std::vector<char> text(command.begin(), command.end());
    text.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return fail("the client did not start");
    CloseHandle(process.hThread);

    auto question = automation::waitForWindow("Wrenfold Client Setup - v1.4.2", "#32770", 20s);
    if (!question) {
        // A client of another version titles its question differently: take any box of the client.
        for (const automation::WindowInfo& window : automation::topLevelWindows(process.dwProcessId))
            if (window.className == "#32770") question = window;
    }
    if (!question) return fail("the first-run question did not appear");
    automation::saveScreenshot(question->handle, shots + "\\1-question.png");
    std::printf("question: %s\n", question->title.c_str());
    if (!automation::answerMessageBox(question->title, "Yes", 5s)) return fail("could not answer the question");

    auto dialog = automation::waitForWindow("Browse for Wrenfold Server", "#32770", 20s);
    if (!dialog) return fail("the open-file dialog did not appear");
    automation::saveScreenshot(dialog->handle, shots + "\\2-browse.png");
    if (!automation::fillOpenFileDialog("Browse for Wrenfold Server", server, 10s)) return fail("could not choose the server");
    std::printf("chose: %s\n", server.c_str());

    auto started = automation::waitForWindow("Wrenfold Server (sample)", {}, 20s);
    if (!started) return fail("the server program did not show its window");
    automation::saveScreenshot(started->handle, shots + "\\3-started.png");
    std::printf("started: %s\n", automation::textOf(started->handle).c_str());
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hProcess);
    return 0;
}
