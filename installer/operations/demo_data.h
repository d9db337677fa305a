#pragma once
// Replacing a company's databases, the host system's and its Wrenfold one, by a
// prepared demonstration data set: their files are exchanged on the server while
// the databases are detached. All or nothing: a failed or stopped installation
// gives both databases their own files back and attaches them again.
#include <functional>

#include "installer/installer_context.h"
#include "installer/operations/database_file_exchange.h"
#include "installer/operations/work_progress.h"

namespace wf {

// What the wizard hears of an installation under way, and how it stops one.
struct InstallationWatch {
    // How far each database file's copy has come; answering false stops the
    // installation.
    FileCopyProgress progress;
    // Asked before each step that changes a database; true stops the
    // installation, which then puts back what it changed.
    std::function<bool()> stopRequested;
    // How far the installation as a whole has come: the bytes of the data set's
    // files copied, and each database taken out or attached as a small step.
    WorkProgress advanced;
};

enum class DemoDataResult {
    // Both databases run on the data set's files.
    Installed,
    // A check before any change refused the data set: nothing was changed.
    Refused,
    // The run failed or was stopped: what it changed was put back.
    Failed,
};

// `dataSetIndex`: the entry chosen in the data set list, -1 when none is. The
// user has been told of any refusal or failure.
DemoDataResult InstallDemoData(InstallerContext& context, int dataSetIndex, const InstallationWatch& watch = {});

}  // namespace wf
