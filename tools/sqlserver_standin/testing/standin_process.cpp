#include "tools/sqlserver_standin/testing/standin_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace wf::testing {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kStopGrace = std::chrono::seconds(5);

}  // namespace

const char* StandinProcess::programPath() { return WRENFOLD_STANDIN_PATH; }

StandinProcess::StandinProcess(std::vector<std::string> arguments) {
    bool hasPort = std::find(arguments.begin(), arguments.end(), "--port") != arguments.end();
    bool hasBrowser = std::find(arguments.begin(), arguments.end(), "--browser-port") != arguments.end();
    std::vector<std::string> all{programPath(), "--exit-on-stdin-eof"};
    if (!hasPort) all.insert(all.end(), {"--port", "0"});
    all.insert(all.end(), arguments.begin(), arguments.end());

    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int spawned = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    stdinPipe_ = in[1];
    stdoutPipe_ = out[0];
    if (spawned != 0) {
        pid_ = -1;
        ::close(stdinPipe_);
        ::close(stdoutPipe_);
        throw std::runtime_error(std::string("cannot start ") + programPath());
    }
    try {
        port_ = readPort("listening on 127.0.0.1:");
        if (hasBrowser) browserPort_ = readPort("browser on 127.0.0.1:");
    } catch (...) {
        stop();
        throw;
    }
}

StandinProcess::~StandinProcess() { stop(); }

int StandinProcess::readPort(const std::string& prefix) {
    auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    std::size_t end;
    while ((end = pending_.find('\n')) == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd entry{stdoutPipe_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            throw std::runtime_error("the stand-in did not report its port in time");
        }
        char buffer[256];
        ssize_t got = ::read(stdoutPipe_, buffer, sizeof buffer);
        if (got <= 0) throw std::runtime_error("the stand-in ended before reporting its port");
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    if (line.rfind(prefix, 0) != 0) throw std::runtime_error("unexpected line from the stand-in: " + line);
    return std::stoi(line.substr(prefix.size()));
}

int StandinProcess::stop() {
    if (pid_ <= 0) return exitStatus_.value_or(-1);
    ::kill(pid_, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + kStopGrace;
    int status = 0;
    pid_t waited;
    while ((waited = ::waitpid(pid_, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (waited == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    ::close(stdinPipe_);
    ::close(stdoutPipe_);
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return *exitStatus_;
}

}  // namespace wf::testing
