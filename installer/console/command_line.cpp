#include "installer/console/command_line.h"

#include "common/text.h"

namespace wf {
namespace {

struct CommandForm {
    const char* name;
    CommandKind kind;
    const char* values;  // what its values are, for the error; nullptr when it takes none
    std::size_t valueCount;
    const char* confirmingOption;
};

constexpr CommandForm kForms[] = {
    {"/?", CommandKind::Usage, nullptr, 0, ""},
    {"/list", CommandKind::List, nullptr, 0, ""},
    {"/define", CommandKind::Define, "a company", 1, "/overwrite"},
    {"/demo", CommandKind::Demo, "a company and a data set", 2, "/yes"},
};

bool isOption(const std::string& argument) { return argument.starts_with("/"); }

ParsedCommandLine refused(const std::string& error) { return {std::nullopt, error}; }

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return refused("No command is given.");
    const CommandForm* form = nullptr;
    for (const CommandForm& candidate : kForms)
        if (toLower(arguments[0]) == candidate.name) form = &candidate;
    if (!form) return refused("\"" + arguments[0] + "\" is not a command.");

    ConsoleCommand command{form->kind, {}, {}, form->confirmingOption, false};
    std::vector<std::string> values;
    for (std::size_t at = 1; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (isOption(argument) && !command.confirmingOption.empty() && toLower(argument) == command.confirmingOption) {
            command.confirmed = true;
        } else if (isOption(argument)) {
            return refused("\"" + argument + "\" is not an option of " + form->name + ".");
        } else if (values.size() == form->valueCount) {
            return refused(std::string(form->name) + " takes " + (form->values ? form->values : "no value") +
                           ", not also \"" + argument + "\".");
        } else {
            values.push_back(argument);
        }
    }
    if (values.size() < form->valueCount) return refused(std::string(form->name) + " needs " + form->values + ".");
    if (!values.empty()) command.company = values[0];
    if (values.size() > 1) command.dataSet = values[1];
    return {command, {}};
}

std::string usageText() {
    return "Defines a company's Wrenfold database or installs Wrenfold demonstration data, without the wizard.\r\n"
           "\r\n"
           "  dbprep.exe                            The wizard.\r\n"
           "  dbprep /list                          The host system, its companies (id, a tab, name) and the\r\n"
           "                                        demonstration data sets.\r\n"
           "  dbprep /define COMPANY [/overwrite]   Defines an empty Wrenfold database for COMPANY, named by its id\r\n"
           "                                        or its name. One that exists is overwritten with /overwrite\r\n"
           "                                        only.\r\n"
           "  dbprep /demo COMPANY \"DATA SET\" /yes  Installs the demonstration data set into COMPANY,\r\n"
           "                                        replacing its data and its Wrenfold database's; nothing is\r\n"
           "                                        changed without /yes.\r\n"
           "  dbprep /?                             This text.\r\n"
           "\r\n"
           "The checks, the login and ErrorLog.txt are the wizard's; no login is taken from the command line.\r\n"
           "Ctrl+C stops an installation of demonstration data at its next step, its databases given their own\r\n"
           "data back.\r\n"
           "\r\n"
           "Exit codes: 0 done; 1 refused by a check or not confirmed; 2 the operation failed (the company's\r\n"
           "databases as they were); 3 bad arguments.";
}

}  // namespace wf
