#pragma once
// The stand-in's configuration file: plain text, one directive per line, words
// and literals written as in T-SQL. Blank lines and lines starting with "#" or
// "--" are ignored. Names may be bracketed ([My Table]) or double-quoted.
//
//   login NAME 'PASSWORD'                 a login the server accepts
//   database NAME                         a database besides master, without files
//   database NAME FILES 'DATA' 'LOG'      a database on these files (paths of this
//                                         machine): loaded when the data file
//                                         exists, else created empty
//   table DB.TABLE (COL, COL, ...)        a table; every column is NVARCHAR; one
//                                         may be written COL IDENTITY: no client
//                                         can update it
//   row DB.TABLE (VALUE, VALUE, ...)      a row: 'text', N'text', a number or NULL
//   fail [once] 'TEXT' (NUMBER, SEVERITY, 'MESSAGE') [, (...)]
//                                         a batch containing TEXT (any case) is not
//                                         run; it fails with these errors, in order;
//                                         with once, only the first such batch does
//   delay 'TEXT' MILLISECONDS             a statement containing TEXT starts late,
//                                         after what came before it was sent
//
// Example:
//   login sa 'Secret1'
//   database ACME
//   table ACME.DB_CTL (KEY_ID, SHARED_DIR)
//   row ACME.DB_CTL (1, 'C:\CPSQL\', NULL)
//   fail 'sp_detach_db' (3703, 16, 'Cannot detach the database ''ACME'' because it is currently in use.')
//   delay 'alter database' 2000
#include <stdexcept>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "scripted_behaviour.h"

namespace wf::standin {

class ConfigurationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Applies the directives of `text` in order. Raises ConfigurationError naming
// the line at fault.
void applyConfiguration(std::string_view text, Catalogue& catalogue, ScriptedBehaviour& script);

}  // namespace wf::standin
