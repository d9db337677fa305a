#pragma once
// Replacing a company's databases, the host system's and its Wrenfold one, by a
// prepared demonstration data set: their files are exchanged on the server while
// the databases are detached.
#include "installer/database_file_copy.h"
#include "installer/installer_context.h"

namespace wf {

// `dataSetIndex`: the entry chosen in the data set list, -1 when none is.
// True when every database step and every copy succeeded; false when the run
// stopped or a copy failed, the user having been told. `progress` hears how far
// each database file's copy has come and may stop it, which fails that copy.
bool InstallDemoData(InstallerContext& context, int dataSetIndex, const FileCopyProgress& progress = {});

}  // namespace wf
