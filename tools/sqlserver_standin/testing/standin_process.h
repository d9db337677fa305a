#pragma once
// Runs the SQL Server stand-in for a native test: starts it with the given
// arguments (a free port is chosen unless "--port" is among them), reads the
// ports it prints, and stops it by its process id when destroyed. The stand-in
// also ends by itself when the test process dies, as its standard input closes.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace wf::testing {

class StandinProcess {
public:
    // Raises std::runtime_error when the program cannot start or does not report its port in time.
    explicit StandinProcess(std::vector<std::string> arguments = {});
    ~StandinProcess();
    StandinProcess(const StandinProcess&) = delete;
    StandinProcess& operator=(const StandinProcess&) = delete;

    int port() const { return port_; }
    // Present when "--browser-port" was given.
    std::optional<int> browserPort() const { return browserPort_; }
    pid_t pid() const { return pid_; }

    // Stops the server (SIGTERM, then SIGKILL after five seconds) and returns its exit status.
    int stop();

    static const char* programPath();

private:
    int readPort(const std::string& prefix);

    pid_t pid_ = -1;
    int stdinPipe_ = -1;
    int stdoutPipe_ = -1;
    std::string pending_;
    int port_ = 0;
    std::optional<int> browserPort_;
    std::optional<int> exitStatus_;
};

}  // namespace wf::testing
