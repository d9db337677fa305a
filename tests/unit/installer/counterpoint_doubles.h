#pragma once
// A CounterPoint SQL installation on the doubles, for the wizard's and the
// command line's tests. Five companies: ACME with its database, DATA whose
// database name has a blank, LOST without a connection line, BETA and EMPTY
// whose lines name no database; ACMESV exists.
#include <string>

#include "common/registry_store/registry_value_store.h"
#include "installer/operations/database_presence.h"
#include "tests/unit/installer/installer_fixture.h"

namespace wf::testing {

inline constexpr const char* kSpa = "C:\\Tools\\dbprep\\SQLdbgen\\demodata\\CPointData\\Spa\\";

// The company string of a database on the installation's server.
inline std::string login(const std::string& catalogue) {
    return "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SRV1;" +
           (catalogue.empty() ? "" : "Initial Catalog=" + catalogue + ";") + "User ID=sa;Password=pw";
}

inline void layOutCounterPoint(InstallerFixture& f) {
    RegistryValueStore store(f.registry);
    store.WriteValue(kHkeyLocalMachine, "SOFTWARE\\Synchronics\\CounterPoint\\8.0", "InstallPath", "C:\\CP");
    store.WriteValue(kHkeyCurrentUser, "SOFTWARE\\Quillmark\\Wrenfold\\Login", "DBUser", "sa");
    store.WriteValue(kHkeyCurrentUser, "SOFTWARE\\Quillmark\\Wrenfold\\Login", "DBPassword", "pw");
    f.files.addFile("C:\\CP\\bin\\CounterPoint.ini", "TOPLEVEL=D:\\CPSQL\r\n");
    f.files.addFile("D:\\CPSQL\\Companies.ini",
                    "[Companies]\r\nACME=Acme Ltd\r\nDATA=Acme Data\r\nLOST=Lost Co\r\nBETA=Beta Corp\r\n"
                    "EMPTY=Empty Co\r\n[BETA]\r\nData Source=SRV1;Integrated Security=False\r\n[EMPTY]\r\n\r\n"
                    "[ACME]\r\nData Source=SRV1;Initial Catalog=ACME;Integrated Security=False\r\n"
                    "[DATA]\r\nData Source=SRV1;Initial Catalog=Acme Data;Integrated Security=False\r\n[LOST]\r\n");
    f.files.addFile(std::string(kSpa) + "DataDesc.txt", "Pool and Spa\r\n");
    f.files.addFile("C:\\Tools\\dbprep\\SQLdbgen\\mkWFdb.sql", "CREATE TABLE T (A int)\r\nGO\r\n");
    f.sql.tables[databaseListingStatement("ACMESV")] = {{"name"}, {{"ACMESV"}}};
}

inline void dropOurDatabase(InstallerFixture& f) {
    f.sql.tables[databaseListingStatement("ACMESV")].rows.clear();
    f.sql.openFailures[login("ACMESV")] = {4060, {"Cannot open database \"ACMESV\""}};
}

// The "Pool and Spa" data set for CounterPoint SQL 8.3.1, and ACME's and
// ACMESV's own files on E:.
inline void layOutDemoData(InstallerFixture& f) {
    f.files.addFile("D:\\CPSQL\\counterpoint.ini", "SWVERSION=8.3.1\r\n");
    for (const char* file : {"8.3.1\\DemoSpa.mdf", "8.3.1\\DemoSpa.ldf", "8.3.1\\..\\WFdata\\DemoSpaSV.mdf",
                             "8.3.1\\..\\WFdata\\DemoSpaSV.ldf"})
        f.files.addFile(std::string(kSpa) + file, "demo");
    f.sql.tablesOn[{login("ACME"), "select * from SYSFILES"}] = {{"FileName"}, {{"E:\\ACME.mdf"}, {"E:\\ACME.ldf"}}};
    f.sql.tablesOn[{login("ACMESV"), "select * from SYSFILES"}] = {{"FileName"}, {{"E:\\SV.mdf"}, {"E:\\SV.ldf"}}};
    for (const char* file : {"E:\\ACME.mdf", "E:\\ACME.ldf", "E:\\SV.mdf", "E:\\SV.ldf"}) f.files.addFile(file, "own");
}

}  // namespace wf::testing
