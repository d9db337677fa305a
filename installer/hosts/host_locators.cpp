#include "installer/hosts/host_locators.h"

#include <optional>

#include "common/registry_store/registry_value_store.h"
#include "installer/hosts/counterpoint_files.h"
#include "installer/hosts/noted_host_file.h"
#include "installer/login/connection_strings.h"
#include "installer/login/error_log.h"

namespace wf {
namespace {

constexpr const char* kCounterPointKey = "SOFTWARE\\Synchronics\\CounterPoint\\8.0";
constexpr const char* kCounterPointOptionsKey = "SOFTWARE\\Synchronics\\CounterPoint\\8.0\\Options";
constexpr const char* kWrenfoldLoginKey = "SOFTWARE\\Quillmark\\Wrenfold\\Login";
constexpr const char* kLineBreak = "\r\n";

struct GreatPlainsInstall {
    const char* key;
    const char* version;
};

// Newest first: the first one found wins.
constexpr GreatPlainsInstall kGreatPlainsInstalls[] = {
    {"SOFTWARE\\Microsoft\\Business Solutions\\Great Plains\\1033\\DEFAULT\\SETUP", "10"},
    {"SOFTWARE\\Microsoft\\Business Solutions\\Great Plains\\DEFAULT\\SETUP", "9.0"},
    {"SOFTWARE\\Microsoft\\Great Plains\\8.0\\Install", "8.0"},
    {"SOFTWARE\\Microsoft\\Great Plains\\7.50\\Install", "7.5"},
};

void endForMissingHost(InstallerContext& context, const std::string& requirement, const std::string& notFound) {
    context.ui.messageBox(
        std::string(kInstallerTitle) + " requires " + requirement + " to run." + kLineBreak + kLineBreak + notFound,
        kOkOnly + kCritical, "Error");
    context.ui.endProgram();
}

// The top-level directory CounterPoint.ini under the installation names, with the
// file's note in the log; nothing when the file cannot be read or names none.
std::optional<std::string> topLevelFromIni(InstallerContext& context, const std::string& installPath) {
    return readNotedHostFile(context.files, context.errorLog(), installPath + "\\bin\\CounterPoint.ini",
                             std::optional<std::string>(), readTopLevelDirectory);
}

}  // namespace

bool GetCPRegistryInfo(InstallerContext& context) {
    InstallerState& state = context.state;
    RegistryValueStore store(context.registry);
    std::string value;
    if (store.ReadValue(kHkeyLocalMachine, kCounterPointKey, "InstallPath", value)) state.host.strHostPath = value;
    if (!state.host.strHostPath.empty())
        state.host.strHostPath = topLevelFromIni(context, state.host.strHostPath).value_or("");
    if (state.host.strHostPath.empty() &&
        store.ReadValue(kHkeyLocalMachine, kCounterPointOptionsKey, "TopLevelDirectory", value))
        state.host.strHostPath = value;
    if (!state.host.strHostPath.empty()) return true;
    endForMissingHost(context, "CounterPoint SQL",
                      "No CP SQL server or workstation install was found on this computer.");
    return false;
}

std::string GetCPLoginInfo(InstallerContext& context) {
    InstallerState& state = context.state;
    const std::string path = state.host.strHostPath + "\\Companies.ini";
    std::optional<std::string> connectionLine;
    std::string reason;
    try {
        LineReader lines = openLines(context.files, path);
        connectionLine = readConnectionLine(lines, state.operation.strCompanyDB);
        if (!connectionLine) reason = "No connection line follows a heading [" + state.operation.strCompanyDB + "].";
    } catch (const RunError& failure) {
        reason = unreadableFileRemark(failure);
    }
    if (!connectionLine) context.errorLog().fileNote(path, {}, {reason});
    const std::string catalogue = applyConnectionLine(connectionLine.value_or(""), state.login);

    RegistryValueStore store(context.registry);
    std::string value;
    if (store.ReadValue(kHkeyCurrentUser, kWrenfoldLoginKey, "DBUser", value)) state.login.strDBUser = value;
    if (store.ReadValue(kHkeyCurrentUser, kWrenfoldLoginKey, "DBPassword", value)) state.login.strDBPassword = value;

    state.operation.strCompanyDB = catalogue;
    state.operation.strOurDB = state.operation.strCompanyDB + "SV";
    BuildConnectionStrings(context);
    return catalogue;
}

std::string counterPointVersion(InstallerContext& context) {
    std::string version;
    ignoreFailure([&] {
        LineReader lines = openLines(context.files, context.state.host.strHostPath + "\\counterpoint.ini");
        version = readSoftwareVersion(lines);
    });
    return version;
}

bool GetGreatPlainsRegistryLoginInfo(InstallerContext& context, const std::string& company) {
    InstallerState& state = context.state;
    state.operation.strCompanyDB = company;
    state.operation.strOurDB = company + "SV";
    state.host.strHostPath.clear();
    RegistryValueStore store(context.registry);
    for (const GreatPlainsInstall& install : kGreatPlainsInstalls) {
        std::string value;
        if (!state.host.strHostPath.empty() || !store.ReadValue(kHkeyLocalMachine, install.key, "AppPath", value))
            continue;
        state.host.strHostPath = value;
        state.host.strGPVersion = install.version;
    }
    if (state.host.strHostPath.empty()) {
        endForMissingHost(context, "Dynamics 7.5, 8.0, 9.0 or 10.0",
                          "No Great Plains install was found on this computer.");
        return false;
    }
    if (company != "GP_path") BuildConnectionStrings(context);
    return true;
}

void GetPassportRegistryLoginInfo(InstallerContext& context, const std::string& company) {
    InstallerState& state = context.state;
    state.operation.strCompanyDB = company;
    state.operation.strOurDB = company + "SV";
    if (BuildConnectionStrings(context)) return;
    context.ui.messageBox("The current company selection [" + state.operation.strCompanyDB + "] is invalid." +
                              kLineBreak + kLineBreak + "Run 'Change Company' to select a valid company.",
                          kOkOnly + kCritical, kInstallerTitle);
}

}  // namespace wf
