#include "tests/windows/client/client_e2e_fixture.h"

#include <optional>
#include <vector>

#include "platform/win32/win32_file_system.h"
#include "tests/windows/support/host_paths.h"
#include "tools/automation/poll_for.h"

namespace wf::testing {
namespace {

constexpr char kClientKey[] = "SOFTWARE\\Quillmark\\WrenfoldClient";

std::string testName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

}  // namespace

ClientEndToEnd::ClientEndToEnd() {
    workstation = scratch.folder("workstation");
    share = scratch.folder("share");
    copyFileTo(windowsPath(WF_CLIENT_EXE), workstationFile("WrenfoldClient.exe"));
    clearRegistryPath();
    // The sample server closes itself soon, so that nothing outlives the test.
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_SECONDS", "3");
}

ClientEndToEnd::~ClientEndToEnd() {
    // Whatever the client started ends with the test, so that its files can go at once.
    TerminateJobObject(startedPrograms_, 1);
    CloseHandle(startedPrograms_);
    if (client_.hProcess != nullptr) CloseHandle(client_.hProcess);
    clearRegistryPath();
    CreateDirectoryA(windowsPath(WF_TRAIL_DIR).c_str(), nullptr);
    trail.saveTo(windowsPath(WF_TRAIL_DIR) + "\\" + testName() + ".txt");
}

std::string ClientEndToEnd::placeServer(const std::string& folder, const std::string& name) {
    std::string path = folder + "\\" + name;
    copyFileTo(windowsPath(WF_SAMPLE_SERVER_DIR) + "\\" + name, path);
    return path;
}

void ClientEndToEnd::startClient(const std::string& arguments) {
    if (client_.hProcess != nullptr) {
        CloseHandle(client_.hProcess);
        client_ = {};
    }
    std::string command = "\"" + workstationFile("WrenfoldClient.exe") + "\"";
    if (!arguments.empty()) command += " " + arguments;
    std::vector<char> text(command.begin(), command.end());
    text.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Held until it is in the job, so that every program it starts is in there too.
    ASSERT_TRUE(CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                               workstation.c_str(), &startup, &client_))
        << GetLastError();
    EXPECT_TRUE(AssignProcessToJobObject(startedPrograms_, client_.hProcess)) << GetLastError();
    ResumeThread(client_.hThread);
    CloseHandle(client_.hThread);
    trail.note("started: " + command);
}

bool ClientEndToEnd::clientEnds(DWORD timeoutMs) {
    bool ended = WaitForSingleObject(client_.hProcess, timeoutMs) == WAIT_OBJECT_0;
    trail.note(ended ? "client ended" : "client still running");
    return ended;
}

std::string ClientEndToEnd::startedWith(const std::string& serverFolder, DWORD timeoutMs) {
    std::string file = serverFolder + "\\StartedWith.txt";
    std::optional<std::string> line = automation::pollFor(std::chrono::milliseconds(timeoutMs), [&]() -> std::optional<std::string> {
        std::string content = readFileText(file);
        if (content.size() < 2 || content.compare(content.size() - 2, 2, "\r\n") != 0) return std::nullopt;
        return content.substr(0, content.size() - 2);
    });
    if (!line) return "<not started>";
    trail.note("server started with: " + *line);
    return *line;
}

bool ClientEndToEnd::nothingStarted(const std::string& serverFolder) const {
    return GetFileAttributesA((serverFolder + "\\StartedWith.txt").c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string ClientEndToEnd::registryPath(RegistryView view) {
    return viewText(view, HKEY_LOCAL_MACHINE, kClientKey, "ServerPath").value_or("<none>");
}

void ClientEndToEnd::storeRegistryPath(const std::string& path, RegistryView view) {
    putViewText(view, HKEY_LOCAL_MACHINE, kClientKey, "ServerPath", path);
}

void ClientEndToEnd::clearRegistryPath() {
    deleteViewTree(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, kClientKey);
    deleteViewTree(RegistryView::SixtyFourBit, HKEY_LOCAL_MACHINE, kClientKey);
}

std::string ClientEndToEnd::versionOf(const std::string& path) { return win32::Win32FileSystem().versionText(path); }

void ClientEndToEnd::screenshot(HWND window, const std::string& what) {
    std::string folder = windowsPath(WF_SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    automation::saveScreenshot(window, folder + "\\" + testName() + "." + what + ".png");
}

}  // namespace wf::testing
