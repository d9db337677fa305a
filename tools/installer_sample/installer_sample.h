#pragma once
// A small CounterPoint SQL installation for dbprep to find and serve: the program
// folder with dbprep.exe, its definition script and one demonstration data set;
// CounterPoint SQL's install folder and top-level folder with its companies; the
// registry values that point at them and the user's Wrenfold login. The companies
// reach the SQL Server stand-in on 127.0.0.1.
//
// Companies ("Companies.ini"), by display name:
//   "Acme Ltd"            ACME, with its Wrenfold database ACMESV
//   "Acme Data Services"  catalogue "Acme Data", a name with a blank
//   "Widget Works"        WIDGET, without a Wrenfold database
//   "Coastal Pools"       COAST, with its Wrenfold database COASTSV
//   "New Company"         a section without a connection line
// Data set: "Pool and Spa" (folder Spa) for CounterPoint SQL 8.3.1; its ACME
// holds DB_CTL (KEY_ID, SHARED_DIR), its ACMESV holds SV_CUSTOMERS (NAME).
#include <string>

namespace wf::sample {

// The stand-in's login every company's connection line names.
constexpr char kSampleUser[] = "sa";
constexpr char kSamplePassword[] = "Secret1";

// Windows paths of the installation's folders.
struct InstallerSample {
    std::string program;   // dbprep.exe, SQLdbgen\ (ErrorLog.txt lands here)
    std::string install;   // CounterPoint SQL's install folder, bin\CounterPoint.ini
    std::string topLevel;  // Companies.ini, counterpoint.ini
};

// Lays the installation out below `root` (made when missing), dbprep.exe copied
// from `dbprepExe`, the companies on the stand-in's `port`; writes the registry
// values, the Wrenfold login being the stand-in's. Raises std::runtime_error
// when a file or a registry value cannot be written.
InstallerSample layInstallerSample(const std::string& root, const std::string& dbprepExe, int port);

// The current user's Wrenfold login, which overrides the companies' own.
void putWrenfoldLogin(const std::string& user, const std::string& password);

// Removes the registry values the sample wrote.
void removeInstallerSampleKeys();

}  // namespace wf::sample
