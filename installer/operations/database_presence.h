#pragma once
// Whether the server holds a database, asked of the server's own catalogue: a
// login that fails says nothing of it, as an offline or single-user database, or
// one the login has no user in, refuses logins too.
#include <string>

#include "installer/installer_context.h"

namespace wf {

// The read that asks, over the connection without a catalogue.
std::string databaseListingStatement(const std::string& database);

// True when the server lists `database`, whatever its state. When the server
// cannot be asked, the database counts as there, so that nothing is overwritten
// before the user has been asked.
bool databaseExists(InstallerContext& context, const std::string& database);

}  // namespace wf
