#include "tests/integration/installer/standin_installation.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace wf::testing {
namespace {

namespace fs = std::filesystem;

int nextScratch = 0;

}  // namespace

std::string companyDatabases(const fs::path& folder) {
    const std::string host = (folder / "host").string();
    return "database ACME FILES '" + host + "/ACME.mdf' '" + host + "/ACME_log.ldf'\n"
           "table ACME.DB_CTL (KEY_ID, SHARED_DIR)\n"
           "row ACME.DB_CTL (1, 'C:\\old\\')\n"
           "row ACME.DB_CTL (2, 'C:\\other\\')\n"
           "database ACMESV FILES '" + host + "/ACMESV.mdf' '" + host + "/ACMESV_log.ldf'\n"
           "table ACMESV.SV_SETTINGS (NAME)\n"
           "row ACMESV.SV_SETTINGS ('O''Brien')\n";
}

StandinInstallation::StandinInstallation(std::string (*configuration)(const fs::path&),
                                         const std::string& extraDirectives)
    : scratch(fs::temp_directory_path() /
              ("installer-standin-" + std::to_string(::getpid()) + "-" + std::to_string(nextScratch++))) {
    fs::create_directories(scratch / "host");
    std::ofstream(scratch / "standin.conf") << "login sa 'Secret1'\n" << configuration(scratch) << extraDirectives;
    server.emplace(std::vector<std::string>{"--config", (scratch / "standin.conf").string(), "--record-dir",
                                            (scratch / "batches").string(), "--data-dir", (scratch / "data").string(),
                                            "--client-path-prefix", "C:"});
    f.state.login.strDBServer = "127.0.0.1," + std::to_string(server->port());
    f.state.login.strDBUser = "sa";
    f.state.login.strDBPassword = "Secret1";
    f.state.login.strCPIntegratedSecurity = "False";
    f.state.operation.strCompanyDB = "ACME";
    f.state.operation.strOurDB = "ACMESV";
    composeConnectionStrings(f.state, f.host);
}

std::string StandinInstallation::clientPath(const fs::path& path) {
    std::string named = "C:" + path.string();
    std::replace(named.begin(), named.end(), '/', '\\');
    return named;
}

StandinInstallation::~StandinInstallation() {
    server.reset();
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

}  // namespace wf::testing
