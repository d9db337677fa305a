#pragma once
// Defining a new, empty Wrenfold database for a company: any database of that
// name is thrown away, an empty one is created, and the definition script
// delivered beside the program builds its tables and procedures. Neither
// procedure stops at a failing statement: each failure is logged and the next
// statement is tried. Both tell `progress` the bytes of the script read so far.
#include <string>

#include "installer/installer_context.h"
#include "installer/operations/work_progress.h"

namespace wf {

// "SQLdbgen\mkWFdb.sql" below the program's folder.
std::string definitionScriptPath(ProcessServices& process);

// Throws away strOurDB, creates it anew and runs the definition script on it;
// when the creation fails no batch is sent. True when the database was created
// and every batch of the script succeeded;
// the expected refusals of a database that is not there yet (taking it offline,
// online, dropping it) do not count as failures.
bool CreateEmptyDatabase(InstallerContext& context, const WorkProgress& progress = {});

// Sends each batch of the definition script to strOurDB, the hourglass showing
// meanwhile. True when the connection opened, the script was read to its end and
// every batch succeeded.
bool RunDefinitionScript(InstallerContext& context, const WorkProgress& progress = {});

}  // namespace wf
