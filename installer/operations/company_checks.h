#pragma once
// The checks made before an operation changes anything, in the wizard's order
// and with its texts, for the wizard and the command line alike: each refusal
// is told through the user interface.
#include <string>

#include "installer/installer_context.h"

namespace wf {

enum class CheckOutcome { Passed, Refused, ProgramEnded };

// The company at `index` of the company list (strCompanyIds; -1 for none): one
// is chosen, its login is read and reaches its database, and that database's
// name has no blank. ProgramEnded when the host's installation has gone.
CheckOutcome checkChosenCompany(InstallerContext& context, int index);

// For the operation chosen, after checkChosenCompany: defining a Wrenfold
// database where one exists is asked first; demonstration data needs one.
CheckOutcome checkWrenfoldDatabase(InstallerContext& context);

// The warning before demonstration data replaces the data of `companyName`;
// true once the user agreed.
bool confirmDemoReplacement(InstallerContext& context, const std::string& companyName);

}  // namespace wf
