#include "tools/installer_sample/installer_sample.h"

#include "tools/installer_sample/sample_files.h"

namespace wf::sample {
namespace {

constexpr char kCounterPointKey[] = "SOFTWARE\\Synchronics";
constexpr char kInstallKey[] = "SOFTWARE\\Synchronics\\CounterPoint\\8.0";
constexpr char kLoginKey[] = "SOFTWARE\\Quillmark\\Wrenfold\\Login";

// Three batches, each over several lines that carry their own separating blanks.
constexpr char kDefinitionScript[] =
    "CREATE TABLE [dbo].[SV_CUSTOMERS] (\r\n"
    " [ID] int NOT NULL,\r\n"
    " [NAME] nvarchar(40) NULL)\r\n"
    "GO\r\n"
    "CREATE TABLE [dbo].[SV_SERVICE_CALLS] (\r\n"
    " [CALL_NO] int NOT NULL,\r\n"
    " [CUSTOMER_ID] int NOT NULL)\r\n"
    "GO\r\n"
    "CREATE PROCEDURE [dbo].[SV_NEXT_CALL] AS\r\n"
    " SELECT MAX([CALL_NO]) + 1 FROM [SV_SERVICE_CALLS]\r\n"
    "GO\r\n";

// Prepared database files in the stand-in's own format.
constexpr char kDataFileHeader[] = "-- sqlserver-standin data file\n";
constexpr char kLogFile[] = "-- sqlserver-standin log file\n";
constexpr char kDemoCompanyData[] =
    "table [DB_CTL] ([KEY_ID], [SHARED_DIR]);\n"
    "row [DB_CTL] (N'1', N'C:\\DemoMachine\\CPSQL\\');\n"
    "row [DB_CTL] (N'2', N'Demo register 2');\n";
constexpr char kDemoWrenfoldData[] =
    "table [SV_CUSTOMERS] ([NAME]);\n"
    "row [SV_CUSTOMERS] (N'Spa Dublin');\n"
    "row [SV_CUSTOMERS] (N'O''Brien Pools');\n";

std::string connectionLine(const std::string& catalogue, int port) {
    return "Provider=SQLOLEDB.1;Password=" + std::string(kSamplePassword) + ";User ID=" + kSampleUser +
           ";Data Source=127.0.0.1," + std::to_string(port) + ";Initial Catalog=" + catalogue +
           ";Integrated Security=False\r\n";
}

void layDemoData(const std::string& program) {
    const std::string set = makeFolder(program + "\\SQLdbgen\\demodata\\CPointData\\Spa");
    writeText(set + "\\DataDesc.txt", "Pool and Spa\r\nPools, spas and their service calls\r\n");
    const std::string version = makeFolder(set + "\\8.3.1");
    writeText(version + "\\DemoSpa.mdf", std::string(kDataFileHeader) + kDemoCompanyData);
    writeText(version + "\\DemoSpa.ldf", kLogFile);
    const std::string wrenfold = makeFolder(set + "\\WFdata");
    writeText(wrenfold + "\\DemoSpaSV.mdf", std::string(kDataFileHeader) + kDemoWrenfoldData);
    writeText(wrenfold + "\\DemoSpaSV.ldf", kLogFile);
}

}  // namespace

InstallerSample layInstallerSample(const std::string& root, const std::string& dbprepExe, int port) {
    InstallerSample sample{makeFolder(root + "\\program"), makeFolder(root + "\\CPSQL\\Install"),
                           makeFolder(root + "\\CPSQL\\Top")};
    copyFile(dbprepExe, sample.program + "\\dbprep.exe");
    writeText(makeFolder(sample.program + "\\SQLdbgen") + "\\mkWFdb.sql", kDefinitionScript);
    layDemoData(sample.program);

    writeText(makeFolder(sample.install + "\\bin") + "\\CounterPoint.ini",
              "[CounterPoint]\r\nTOPLEVEL=" + sample.topLevel + "\r\n");
    writeText(sample.topLevel + "\\counterpoint.ini", "[Version]\r\nSWVERSION=8.3.1\r\n");
    writeText(sample.topLevel + "\\Companies.ini",
              "[Companies]\r\nACME=Acme Ltd\r\nACMEDATA=Acme Data Services\r\nWIDGET=Widget Works\r\n"
              "COAST=Coastal Pools\r\nNEWCO=New Company\r\n"
              "[ACME]\r\n" + connectionLine("ACME", port) +
              "[ACMEDATA]\r\n" + connectionLine("Acme Data", port) +
              "[WIDGET]\r\n" + connectionLine("WIDGET", port) +
              "[COAST]\r\n" + connectionLine("COAST", port) +
              // Last: the line after a heading is its connection line, whatever it holds.
              "[NEWCO]\r\n");

    putRegistryText(HKEY_LOCAL_MACHINE, kInstallKey, "InstallPath", sample.install);
    putWrenfoldLogin(kSampleUser, kSamplePassword);
    return sample;
}

void putWrenfoldLogin(const std::string& user, const std::string& password) {
    putRegistryText(HKEY_CURRENT_USER, kLoginKey, "DBUser", user);
    putRegistryText(HKEY_CURRENT_USER, kLoginKey, "DBPassword", password);
}

void removeInstallerSampleKeys() {
    deleteRegistryTree(HKEY_LOCAL_MACHINE, kCounterPointKey);
    deleteRegistryTree(HKEY_CURRENT_USER, kLoginKey);
}

}  // namespace wf::sample
