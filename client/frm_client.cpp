#include "client/frm_client.h"

#include "client/server_programs.h"
#include "common/line_reader.h"
#include "common/log_appender.h"
#include "common/program_files.h"
#include "common/run_error.h"
#include "common/text.h"

namespace wf {
namespace {

const char kClientKeyPath[] = "SOFTWARE\\Quillmark\\WrenfoldClient";
const char kServerPathValue[] = "ServerPath";
const char kPathFileName[] = "ServerPath.ini";

const char kFirstRunQuestion[] =
    "Welcome to the Wrenfold Client setup procedure.\r\n\r\n"
    "The path to Wrenfold Server program is not set.  This may be the first time you are running Wrenfold "
    "so we will need to know the location of the Wrenfold server install.\r\n\r\n"
    "In the next window, you can browse to the location of the Wrenfold.exe file.  "
    "This should only happen once on each workstation\r\n\r\n"
    "Do you want to continue?";

const char kDeclinedNotice[] =
    "The path to Wrenfold Server needs to be properly set on each workstation.  Please locate the Wrenfold Server "
    "install the next time the client is run.\r\n\r\n"
    "This program will now end.";

}  // namespace

void frmClient::Form_Load() {
    std::string CommandHead;
    std::string CommandTail;
    std::string commandLine = context_.process.commandLine();
    if (!commandLine.empty()) {
        // Without a space there is no head; the tail is then the whole line.
        std::size_t space = commandLine.find(' ');
        std::size_t p = space == std::string::npos ? 0 : space + 1;
        if (p > 0) CommandHead = commandLine.substr(0, p - 1);
        CommandTail = commandLine.substr(p);
    }

    long errorNumber = 0;
    std::string errorDescription;
    try {
        GetExePath();
        if (ServerExePath.empty()) GetRegistryInfo();
        if (!pathPassesCheck()) {
            logPathCheck();
            if (!askForServerProgram()) {
                unloaded = true;
                return;
            }
        }
        if (namesServerProgram(ServerExePath)) {
            ignoreFailure([&] {
                if (selfUpdate_.ClientUpdateNeeded(ServerExePath)) selfUpdate_.UpdateClientProgram(ServerExePath);
            });
            startServerProgram(CommandHead, CommandTail);
        }
        unloaded = true;
    } catch (const RunError& error) {
        errorNumber = error.number();
        errorDescription = error.description();
    }
    endHandler(errorNumber, errorDescription);
    unloaded = true;
    context_.ui.endProgram();
}

void frmClient::GetExePath() {
    std::string text;
    std::string pathFile = programFilePath(context_.process, kPathFileName);
    if (!context_.files.findFile(pathFile).empty()) {
        // A path file there that cannot be opened (no right to it, held by another
        // program) goes to the run's handler: the registry value must not stand in
        // for it unseen. Only a failing read of its line counts as an empty file.
        LineReader lines = openLines(context_.files, pathFile);
        ignoreFailure([&] {
            if (std::optional<std::string> first = lines.next()) text = *first;
        });
    }
    ServerExePath = text;
}

void frmClient::SaveExePath() {
    if (ServerExePath.empty()) return;
    context_.files.writeAll(programFilePath(context_.process, kPathFileName), ServerExePath + "\r\n");
}

void frmClient::GetRegistryInfo() {
    std::string value;
    if (context_.registry.ReadValue(kHkeyLocalMachine, kClientKeyPath, kServerPathValue, value))
        ServerExePath = value;
}

void frmClient::SaveRegistryInfo() {
    context_.registry.WriteValue(kHkeyLocalMachine, kClientKeyPath, kServerPathValue, ServerExePath);
}

bool frmClient::pathPassesCheck() {
    if (ServerExePath.empty()) return false;
    if (!context_.files.findFile(ServerExePath).empty()) return true;
    return ignoreFailure([&] { context_.files.attributes(ServerExePath); });
}

std::string frmClient::logHeaderLine() {
    return "----> Client " + clientVersionText(context_.process) + " Error " + clientLogTimestamp(context_.clock);
}

void frmClient::logPathCheck() {
    FileSystem& files = context_.files;
    std::vector<std::string> entry{logHeaderLine(), " Path=" + ServerExePath};
    // Each detail line is written only when its value can be had.
    ignoreFailure([&] { entry.push_back(" Dir=" + files.findFile(ServerExePath)); });
    ignoreFailure([&] { entry.push_back(" Dir$=" + files.findFile(ServerExePath)); });
    ignoreFailure([&] { entry.push_back(" GetAttr=" + std::to_string(files.attributes(ServerExePath))); });
    appendLogEntry(files, errorLogPath(context_.process), entry);
}

bool frmClient::askForServerProgram() {
    const std::string title = "Wrenfold Client Setup - v" + clientVersionText(context_.process);
    if (context_.ui.messageBox(kFirstRunQuestion, kYesNo + kQuestion, title) == kAnswerNo) {
        context_.ui.messageBox(kDeclinedNotice, kOkOnly + kInformation, title);
        return false;
    }
    OpenFileRequest request;
    request.title = "Browse for Wrenfold Server";
    request.initialFileName = "Wrenfold.exe";
    request.filter = serverProgramFilter();
    request.defaultExtension = ".exe";
    std::optional<std::string> chosen = context_.ui.openFile(request);
    if (!chosen) throw RunError(kErrDialogCancelled, "Cancel was selected.");
    ServerExePath = *chosen;
    // A file that is not a server program is not remembered, so the next run asks again.
    if (namesServerProgram(ServerExePath)) SaveExePath();
    return true;
}

void frmClient::startServerProgram(const std::string& commandHead, const std::string& commandTail) {
    // Quoted, so that a share path with blanks starts the right program.
    std::string command = "\"" + ServerExePath + "\" /Client";
    if (!commandHead.empty() && !commandTail.empty()) command += "\t" + commandHead + "\t" + commandTail;
    ServerTaskId = context_.process.startProgram(command, kNormalFocus);
    context_.process.activateProgram(ServerTaskId);
}

void frmClient::endHandler(long number, const std::string& description) {
    if (number == 0 || number == kErrDialogCancelled) return;
    // The handler itself runs without error handling: a failing step is passed over.
    ignoreFailure([&] { context_.ui.messageBox(std::to_string(number) + " " + description, kOkOnly, ""); });
    ignoreFailure([&] {
        appendLogEntry(context_.files, errorLogPath(context_.process),
                       {logHeaderLine(), " " + ServerExePath, " " + decimalText(ServerTaskId)});
    });
    if (number == kErrFileNotFound) ignoreFailure([&] { SaveRegistryInfo(); });
}

}  // namespace wf
