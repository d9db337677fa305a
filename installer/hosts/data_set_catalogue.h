#pragma once
// The demonstration data sets that can be installed for the host system: the
// folders under the host's demo folder beside the program, each named by the
// first line of its "DataDesc.txt".
#include <string>
#include <vector>

#include "installer/installer_context.h"

namespace wf {

struct DataSetEntry {
    std::string folder;  // relative to the host's demo folder
    std::string name;
};

// The program's folder & "\SQLdbgen\demodata\" & the host's subfolder.
std::string hostDemoFolder(InstallerContext& context);

// At most `slots` data sets in the order the folder lists them (the rest left out
// and noted in the log); when none is described, the built-in ones whose
// "WfData" folder holds a file. Entries that cannot be read are left out.
std::vector<DataSetEntry> listDataSets(InstallerContext& context, std::size_t slots);

}  // namespace wf
