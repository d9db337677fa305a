// sqlserver-standin: a loopback TDS 7.4 server for the tests and the demo.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <optional>
#include <thread>

#include "batch_recorder.h"
#include "catalogue.h"
#include "configuration.h"
#include "database_files.h"
#include "handlers/dispatcher.h"
#include "net/browser_responder.h"
#include "net/stop_signal.h"
#include "net/tcp_server.h"
#include "options.h"
#include "rpc/procedures.h"
#include "scripted_behaviour.h"
#include "session_directory.h"

namespace {

using namespace wf::standin;

std::string readConfigFile(const std::filesystem::path& path) {
    std::optional<std::string> text = readWholeFile(path);
    if (!text) throw ConfigurationError("cannot read " + path.string());
    return *text;
}

// Blocks until SIGTERM or SIGINT arrives, or standard input ends when that is asked for.
void waitForStopRequest(int signals, bool watchStdin) {
    for (;;) {
        pollfd entries[2] = {{signals, POLLIN, 0}, {watchStdin ? STDIN_FILENO : -1, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (entries[0].revents) return;
        if (entries[1].revents) {
            char buffer[256];
            ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (got <= 0 && !(got < 0 && errno == EINTR)) return;
        }
    }
}

int run(const Options& options) {
    // Signals are taken through a descriptor, so every thread must block them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    int signals = ::signalfd(-1, &stopSignals, SFD_CLOEXEC);

    Catalogue catalogue{ClientPaths(options.clientPathPrefix)};
    ScriptedBehaviour script;
    for (const auto& [user, password] : options.logins) catalogue.addLogin(user, password);
    for (const std::string& database : options.databases) catalogue.addDatabase(database);
    try {
        if (options.dataDir) std::filesystem::create_directories(*options.dataDir);
        if (options.configFile) applyConfiguration(readConfigFile(*options.configFile), catalogue, script);
    } catch (const std::exception& error) {
        std::cerr << "sqlserver-standin: configuration: " << error.what() << std::endl;
        return 2;
    }
    BatchRecorder recorder(options.recordDir);
    StatementDispatcher dispatcher = StatementDispatcher::standard();
    ProcedureDispatcher procedures = ProcedureDispatcher::standard();
    SessionDirectory sessions;
    ServerContext context{catalogue, script, recorder, dispatcher, procedures, sessions, options.serverName, options.dataDir};

    TcpServer tcp(options.port, context);
    std::optional<BrowserResponder> browser;
    if (options.browserPort) {
        browser.emplace(
            *options.browserPort,
            BrowserSettings{options.serverName, options.instances, tcp.port(), options.browserExtraDatagrams,
                            options.browserExtraFromOtherPort, options.browserSilent});
    }
    std::cout << "listening on 127.0.0.1:" << tcp.port() << std::endl;
    if (browser) std::cout << "browser on 127.0.0.1:" << browser->port() << std::endl;

    StopSignal stop;
    std::thread tcpThread([&] { tcp.serve(stop); });
    std::optional<std::thread> browserThread;
    if (browser) browserThread.emplace([&] { browser->serve(stop); });

    waitForStopRequest(signals, options.exitOnStdinEof);
    stop.request();
    tcpThread.join();
    if (browserThread) browserThread->join();
    ::close(signals);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "sqlserver-standin: " << error.what() << "\n" << kUsage;
        return 2;
    }
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "sqlserver-standin: " << error.what() << std::endl;
        return 1;
    }
}
