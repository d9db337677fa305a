#pragma once
// The host system's companies as the company list shows them: from CounterPoint
// SQL's "Companies.ini", from the Great Plains system database, or from the ODBC
// data source names (Passport).
#include <vector>

#include "installer/hosts/counterpoint_files.h"
#include "installer/installer_context.h"

namespace wf {

// Each host's companies, in the order the list shows them. CounterPoint SQL's
// file is noted in the log with every line read; a Great Plains database that
// cannot be read is told to the user and lists nothing.
std::vector<CompanyEntry> counterPointCompanies(InstallerContext& context);
std::vector<CompanyEntry> greatPlainsCompanies(InstallerContext& context);
std::vector<CompanyEntry> passportCompanies(InstallerContext& context);

}  // namespace wf
