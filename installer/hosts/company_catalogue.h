#pragma once
// The host system's companies as the company list shows them: from CounterPoint
// SQL's "Companies.ini", from the Great Plains system database, or from the ODBC
// data source names (Passport).
#include <vector>

#include "installer/hosts/counterpoint_files.h"
#include "installer/installer_context.h"

namespace wf {

// In the order the list shows them. CounterPoint SQL's file is noted in the log
// with every line read; a Great Plains database that cannot be read is told to the
// user and lists nothing.
std::vector<CompanyEntry> listCompanies(InstallerContext& context);

}  // namespace wf
