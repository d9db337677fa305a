// Defining ACMESV through ODBC: what the server takes, what it refuses and how
// the refusals are logged, for a database that is not there yet, one that is,
// and a definition script of the shape delivered.
#include "installer/operations/empty_database.h"

#include <gtest/gtest.h>

#include "tests/integration/installer/standin_installation.h"

namespace wf::testing {
namespace {

constexpr const char* kScript = "C:\\Tools\\dbprep\\SQLdbgen\\mkWFdb.sql";

std::vector<std::string> definitionStatements() {
    return {"use Master", "alter database \"ACMESV\" set offline with rollback immediate",
            "alter database \"ACMESV\" set online", "DROP DATABASE \"ACMESV\"", "CREATE DATABASE \"ACMESV\""};
}

std::string companyOnly(const std::filesystem::path& folder) {
    const std::string all = companyDatabases(folder);
    return all.substr(0, all.find("database ACMESV"));
}

std::string entry(const std::string& statement, const std::string& description) {
    return statement + "\r\n    ----> " + description + "\r\n";
}

TEST(EmptyDatabaseThroughStandin, DefinesTheDatabaseWhetherOrNotItIsThere) {
    StandinInstallation s(companyOnly);
    s.f.files.addFile(kScript, "CREATE TABLE T (A int)\r\nGO\r\nCREATE PROCEDURE P AS\r\n SELECT A FROM T\r\ngo\r\n");
    const std::string missing = "User does not have permission to alter database 'ACMESV', the database does not "
                                "exist, or the database is not in a state that allows access checks.";

    EXPECT_TRUE(CreateEmptyDatabase(s.context));
    EXPECT_EQ(s.batchesOn("master"), definitionStatements());
    EXPECT_EQ(s.batchesOn("ACMESV"), (std::vector<std::string>{"CREATE TABLE T (A int)", "CREATE PROCEDURE P AS SELECT A FROM T"}));
    // The errors in the order the driver reports them: FreeTDS puts the more severe first.
    const std::vector<std::string>& sent = definitionStatements();
    EXPECT_EQ(s.f.log(), entry(sent[1], "ALTER DATABASE statement failed.") + entry(sent[1], missing) +
                             entry(sent[2], "ALTER DATABASE statement failed.") + entry(sent[2], missing) +
                             entry(sent[3], "Cannot drop the database 'ACMESV', because it does not exist or you do "
                                            "not have permission."));

    // Defined again while someone works in it: that user is put out, nothing is logged.
    s.f.files.writeAll(s.f.process.folder + "\\ErrorLog.txt", "");
    auto user = s.odbc.createConnection();
    user->open(s.f.state.connections.strOurConnectionString);
    EXPECT_TRUE(CreateEmptyDatabase(s.context));
    EXPECT_EQ(s.f.log(), "");
    EXPECT_EQ(s.batchesOn("master").size(), 10u);
    EXPECT_EQ(s.batchesOn("ACMESV").size(), 4u);
    EXPECT_ANY_THROW(user->execute("select * from T"));
}

// A script as delivered: hundreds of tables and procedures, separators in any
// case, CR LF line ends; a batch refused at its first statement is logged once
// and the definition goes on.
TEST(EmptyDatabaseThroughStandin, RunsTheWholeScriptPastARefusedBatch) {
    StandinInstallation s(companyDatabases,
                          "fail 'CREATE TABLE [dbo].[T_0150]' (2714, 16, 'There is already an object named ''T_0150'' in the database.')\n");
    const char* separators[] = {"GO", "go", "Go", "gO"};
    std::string script;
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%04d", i);
        std::vector<std::string> lines =
            i % 3 == 2 ? std::vector<std::string>{"CREATE PROCEDURE [dbo].[P_" + std::string(name) + "] @KEY int AS",
                                                  " SELECT * FROM [dbo].[T_" + std::string(name) + "]",
                                                  " WHERE ID = @KEY -- one row"}
                       : std::vector<std::string>{"CREATE TABLE [dbo].[T_" + std::string(name) + "] (",
                                                  "[ID] int NOT NULL ,", "[NOTE] nvarchar (40) NULL ", ") ON [PRIMARY]",
                                                  " GRANT SELECT ON [dbo].[T_" + std::string(name) + "] TO public"};
        std::string batch;
        for (const std::string& line : lines) {
            script += line + "\r\n";
            batch += line;
        }
        script += std::string(separators[i % 4]) + "\r\n";
        expected.push_back(batch);
    }
    s.f.files.addFile(kScript, script + "CREATE TABLE [dbo].[NEVER_SENT] (A int)\r\n");

    EXPECT_FALSE(CreateEmptyDatabase(s.context));
    EXPECT_EQ(s.batchesOn("ACMESV"), expected);
    EXPECT_EQ(s.f.log(), entry(expected[150], "There is already an object named 'T_0150' in the database."));
}

}  // namespace
}  // namespace wf::testing
