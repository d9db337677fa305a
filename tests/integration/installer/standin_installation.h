#pragma once
// The installer's procedures against a stand-in of the test's own: the company
// database ACME and its Wrenfold database ACMESV on files in a scratch folder,
// reached through ODBC with the connection strings the installer composes; the
// files, user interface and clock are the doubles. The stand-in names its files
// as files of drive C:, as a server on this computer would.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "installer/login/connection_strings.h"
#include "platform/odbc/odbc_connection.h"
#include "tests/integration/installer/standin_readback.h"
#include "tests/unit/installer/installer_fixture.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace wf::testing {

// ACME with its DB_CTL rows, and ACMESV with a row whose text holds a quote.
std::string companyDatabases(const std::filesystem::path& folder);

class StandinInstallation {
public:
    // `configuration`: the stand-in's directives besides its login; given the
    // scratch folder, where the databases' files belong.
    explicit StandinInstallation(std::string (*configuration)(const std::filesystem::path&) = companyDatabases,
                                 const std::string& extraDirectives = "");
    ~StandinInstallation();

    // How the installer names a file of the stand-in's: as a file of drive C:.
    static std::string clientPath(const std::filesystem::path& path);

    // The batches the stand-in took while `database` was the session's own, in order.
    std::vector<std::string> batchesOn(const std::string& database) const { return recordedBatches(scratch / "batches", database); }
    // One column of a table in `database`, row by row.
    std::vector<std::string> column(const std::string& database, const std::string& table, const std::string& name) {
        return columnValues(odbc, serverConnectionString(sqlLoginOf(f.state), database), table, name);
    }

    InstallerFixture f;
    OdbcConnectionFactory odbc;
    InstallerContext context{f.state, f.host, f.files, f.process, f.clock, f.ui, f.dialogs, odbc, f.registry};
    const std::filesystem::path scratch;
    std::optional<StandinProcess> server;
};

}  // namespace wf::testing
