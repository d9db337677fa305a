// Keeps a stand-in running for a series of tests (a CTest fixture), so that
// programs which cannot start it themselves, such as the Windows tests under
// Wine, find it through its port file.
//   standin-fixture start PORTFILE [STAND-IN ARGUMENTS...]
//     returns once the stand-in listens and PORTFILE names its ports; a keeper
//     process of its own session holds the stand-in, its id in PORTFILE.pid and
//     the stand-in's messages in PORTFILE.log.
//   standin-fixture stop PORTFILE
//     ends the keeper, which stops the stand-in, and removes the files.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/sqlserver_standin/testing/port_file.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

using wf::testing::StandinProcess;

constexpr int kStopGraceMs = 10000;  // the keeper itself gives the stand-in five seconds
constexpr char kReady = 'R';

std::string pidFileOf(const std::string& portFile) { return portFile + ".pid"; }

// Ends the keeper named in the pid file, if that process is still one of ours.
void stopRecorded(const std::string& portFile) {
    std::ifstream pidFile(pidFileOf(portFile));
    pid_t keeper = 0;
    if (!(pidFile >> keeper) || keeper <= 1) return;
    std::ifstream commandLine("/proc/" + std::to_string(keeper) + "/cmdline");
    std::string command((std::istreambuf_iterator<char>(commandLine)), std::istreambuf_iterator<char>());
    if (command.find("standin-fixture") == std::string::npos) return;
    // Readable once the keeper has ended, though it is not our child.
    int exited = static_cast<int>(::syscall(SYS_pidfd_open, keeper, 0));
    if (exited < 0 || ::kill(keeper, SIGTERM) != 0) return;
    pollfd gone{exited, POLLIN, 0};
    if (::poll(&gone, 1, kStopGraceMs) <= 0) ::kill(keeper, SIGKILL);
    ::close(exited);
}

void removeFiles(const std::string& portFile) {
    for (const std::string& file : {portFile, pidFileOf(portFile)}) ::unlink(file.c_str());
}

// The keeper: owns the stand-in until asked to stop. Reports readiness on `ready`.
[[noreturn]] void keep(const std::string& portFile, std::vector<std::string> arguments, int ready) {
    ::setsid();
    // Nothing of the starter's stays open here, so that CTest does not wait for the keeper.
    int nothing = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    int log = ::open((portFile + ".log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ::dup2(nothing, STDIN_FILENO);
    ::dup2(nothing, STDOUT_FILENO);
    ::dup2(log, STDERR_FILENO);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    ::sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    try {
        bool browser = false;
        for (const std::string& argument : arguments) browser = browser || argument == "--browser-port";
        StandinProcess standin(std::move(arguments));
        wf::testing::writeStandinPorts(portFile, standin.port(), browser ? standin.browserPort() : std::nullopt);
        if (::write(ready, &kReady, 1) != 1) std::_Exit(1);
        ::close(ready);
        int signal = 0;
        ::sigwait(&stopSignals, &signal);
        standin.stop();
    } catch (const std::exception& error) {
        std::cerr << "standin-fixture: " << error.what() << std::endl;
        std::_Exit(1);
    }
    std::_Exit(0);
}

int start(const std::string& portFile, std::vector<std::string> arguments) {
    stopRecorded(portFile);  // a leftover of an interrupted run
    removeFiles(portFile);
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) return 1;
    pid_t keeper = ::fork();
    if (keeper < 0) return 1;
    if (keeper == 0) {
        ::close(ready[0]);
        keep(portFile, std::move(arguments), ready[1]);
    }
    ::close(ready[1]);
    std::ofstream(pidFileOf(portFile)) << keeper << "\n";
    char answer = 0;
    bool started = ::read(ready[0], &answer, 1) == 1 && answer == kReady;
    ::close(ready[0]);
    if (started) return 0;
    ::waitpid(keeper, nullptr, 0);
    std::ifstream log(portFile + ".log");
    std::cerr << "standin-fixture: the stand-in did not start:\n" << log.rdbuf() << std::endl;
    removeFiles(portFile);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    if (command == "start") return start(argv[2], std::vector<std::string>(argv + 3, argv + argc));
    if (command == "stop" && argc == 3) {
        stopRecorded(argv[2]);
        removeFiles(argv[2]);
        return 0;
    }
    std::cerr << "usage: standin-fixture start PORTFILE [ARGUMENTS...] | stop PORTFILE\n";
    return 2;
}
