#pragma once
// dbprep's command line: the commands that list, define and install without the
// wizard, and the usage that explains them.
#include <optional>
#include <string>
#include <vector>

namespace wf {

enum class CommandKind { Usage, List, Define, Demo };

struct ConsoleCommand {
    CommandKind kind = CommandKind::Usage;
    std::string company;  // its id or its name, as typed
    std::string dataSet;  // its name, as typed
    // The option that answers the command's question Yes ("/overwrite", "/yes"),
    // empty for a command that asks none; and whether it was given.
    std::string confirmingOption;
    bool confirmed = false;
};

struct ParsedCommandLine {
    std::optional<ConsoleCommand> command;
    std::string error;  // why there is none
};

// The arguments after the program's name. Commands and options start with "/"
// and are matched in any case; anything else is a value.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace wf
