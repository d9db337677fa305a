#pragma once
// Where the host system is installed and how a company's data is reached: the
// four locators of the installer window, which read the registry through
// RegistryValueStore (the host systems' 32-bit view) and CounterPoint SQL's files,
// fill the shared state and hand over to BuildConnectionStrings; and the
// installed CounterPoint SQL version.
#include <string>

#include "installer/installer_context.h"

namespace wf {

// CounterPoint SQL's top-level directory into strHostPath: from "TOPLEVEL" in
// "\bin\CounterPoint.ini" under InstallPath, else from TopLevelDirectory. False
// when neither names one: the user has been told and the program ended.
[[nodiscard]] bool GetCPRegistryInfo(InstallerContext& context);

// The login of the company whose id is in strCompanyDB: its connection line in
// "Companies.ini", then the user's Wrenfold login over user and password;
// strCompanyDB becomes the company's catalogue and strOurDB follows it; then the
// connection strings. Returns the catalogue for the caller to keep. A company
// without its own section gets no catalogue: the line another section left
// behind never stands in for it.
std::string GetCPLoginInfo(InstallerContext& context);

// The CounterPoint SQL version in strHostPath's "counterpoint.ini"; empty when
// the file cannot be read.
std::string counterPointVersion(InstallerContext& context);

// Great Plains' application path and version (the newest installation wins), then
// the connection strings unless `company` is "GP_path". False when no
// installation was found: the user has been told and the program ended.
[[nodiscard]] bool GetGreatPlainsRegistryLoginInfo(InstallerContext& context, const std::string& company);

// The Passport company's data source, then the connection strings; the user is
// told when they do not reach the server.
void GetPassportRegistryLoginInfo(InstallerContext& context, const std::string& company);

}  // namespace wf
