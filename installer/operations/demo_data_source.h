#pragma once
// Where a demonstration data set's prepared database files are, below
// "SQLdbgen\demodata\" beside the program: per host system a folder with the
// host company's data and log file, and beside it "WFdata" with the Wrenfold
// database's pair.
#include <string>

#include "installer/installer_context.h"
#include "installer/operations/database_file_exchange.h"

namespace wf {

struct DemoDataSource {
    // Below the demonstration data root: CounterPoint SQL "CPointData\set\version"
    // (or "CPointData\version" with no data set chosen), Great Plains
    // "GPData\version", Passport "PBSData\".
    std::string folderPart;
    // The data folder, with its closing separator.
    std::string folder;
    // "Demo" + the data set's folder; empty for the other hosts.
    std::string baseName;

    DatabaseFilePair companyFiles() const;
    DatabaseFilePair ourFiles() const;
};

// The source of the data set at `dataSetIndex` of strDataSetFolders (-1: none
// chosen). The host's version is read here, as its profile says.
DemoDataSource demoDataSource(InstallerContext& context, int dataSetIndex);

}  // namespace wf
