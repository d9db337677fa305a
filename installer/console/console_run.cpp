#include "installer/console/console_run.h"

#include <optional>

#include "common/text.h"
#include "common/unexpected_failure.h"
#include "installer/console/command_line.h"
#include "installer/console/console_user_interface.h"
#include "installer/hosts/host_profile.h"
#include "installer/hosts/installation_catalogue.h"
#include "installer/operations/company_checks.h"
#include "installer/operations/demo_data.h"
#include "installer/operations/empty_database.h"
#include "installer/operations/operation_outcome.h"

namespace wf {
namespace {

bool sameText(const std::string& typed, const std::string& listed) {
    return toUpper(trimBlanks(typed)) == toUpper(trimBlanks(listed));
}

// Prints a line as a copy reaches each tenth of its file.
class CopyProgressLines {
public:
    explicit CopyProgressLines(Console& console) : console_(console) {}

    bool report(const std::string& target, std::uint64_t copied, std::uint64_t total) {
        if (target != target_) {
            target_ = target;
            printedTenths_ = 0;
        }
        const std::uint64_t tenths = copyPercent(copied, total) / 10;
        if (tenths > printedTenths_) {
            printedTenths_ = tenths;
            console_.printLine(copyProgressText(target, tenths * 10));
        }
        return !console_.interruptRequested();
    }

private:
    Console& console_;
    std::string target_;
    std::uint64_t printedTenths_ = 0;
};

class CommandRun {
public:
    CommandRun(InstallerContext& context, Console& console, const ConsoleCommand& command)
        : context_(context), console_(console), command_(command) {}

    int run() {
        const std::optional<InstallationCatalogue> catalogue = loadInstallationCatalogue(context_);
        if (!catalogue) return kExitRefused;
        if (command_.kind == CommandKind::List) {
            list(*catalogue);
            return kExitDone;
        }
        OperationChoice& operation = context_.state.operation;
        operation.bDemoData = command_.kind == CommandKind::Demo;
        operation.bEmptyDatabase = !operation.bDemoData;

        int dataSet = -1;
        if (operation.bDemoData) {
            if (!hostProfile(context_.host).demoData.offered)
                return refuse("Demonstration data cannot be installed for " +
                              std::string(hostSystemDisplayName(context_.host)) + ".");
            dataSet = placeOf(catalogue->dataSets, command_.dataSet);
            if (dataSet < 0) return refuse("No demonstration data set is named \"" + command_.dataSet + "\".");
        }
        std::optional<int> company = companyPlace(catalogue->companies);
        if (!company) return kExitRefused;
        if (checkChosenCompany(context_, *company) != CheckOutcome::Passed ||
            checkWrenfoldDatabase(context_) != CheckOutcome::Passed)
            return kExitRefused;
        if (operation.bEmptyDatabase) return define();
        return installDemoData(dataSet, catalogue->companies[static_cast<std::size_t>(*company)].name);
    }

private:
    void list(const InstallationCatalogue& catalogue) {
        console_.printLine("Host system: " + std::string(hostSystemDisplayName(context_.host)));
        console_.printLine("Companies:");
        for (const CompanyEntry& company : catalogue.companies) console_.printLine(company.id + "\t" + company.name);
        console_.printLine("Demonstration data sets:");
        for (const std::string& dataSet : catalogue.dataSets) console_.printLine(dataSet);
    }

    // The company the command names by its id, else by its name; -1 (the
    // wizard's check then refuses it) when none is. Nothing when its name is
    // shared, so that the run cannot take the wrong one.
    std::optional<int> companyPlace(const std::vector<CompanyEntry>& companies) {
        std::vector<std::string> ids, names;
        for (const CompanyEntry& company : companies) {
            ids.push_back(company.id);
            names.push_back(company.name);
        }
        int place = placeOf(ids, command_.company);
        if (place >= 0) return place;
        place = placeOf(names, command_.company);
        if (place >= 0 && placeOf(names, command_.company, place + 1) >= 0) {
            refuse("More than one company is named \"" + command_.company + "\": name it by its id.");
            return std::nullopt;
        }
        if (place < 0) console_.printLine("No company has the id or the name \"" + command_.company + "\".");
        return place;
    }

    static int placeOf(const std::vector<std::string>& listed, const std::string& typed, int from = 0) {
        for (std::size_t at = static_cast<std::size_t>(from); at < listed.size(); ++at)
            if (sameText(typed, listed[at])) return static_cast<int>(at);
        return -1;
    }

    int define() {
        console_.printLine(kDefiningStatus);
        console_.holdInterrupts("The definition cannot be stopped: it runs to its end.");
        const bool defined = CreateEmptyDatabase(context_);
        tell(definitionOutcome(context_.process, defined));
        return defined ? kExitDone : kExitFailed;
    }

    int installDemoData(int dataSet, const std::string& companyName) {
        if (!confirmDemoReplacement(context_, companyName)) return kExitRefused;
        console_.printLine(kInstallingStatus);
        console_.holdInterrupts(
            "Stopping the installation at its next step: both databases are given their own "
            "data back.");
        CopyProgressLines progress(console_);
        InstallationWatch watch;
        watch.progress = [&](const std::string& target, std::uint64_t copied, std::uint64_t total) {
            return progress.report(target, copied, total);
        };
        watch.stopRequested = [this] { return console_.interruptRequested(); };
        const DemoDataResult result = InstallDemoData(context_, dataSet, watch);
        tell(demoDataOutcome(result == DemoDataResult::Installed));
        if (result == DemoDataResult::Refused) return kExitRefused;
        return result == DemoDataResult::Installed ? kExitDone : kExitFailed;
    }

    void tell(const OperationOutcome& outcome) { context_.ui.messageBox(outcome.message, outcome.style, ""); }

    int refuse(const std::string& text) {
        console_.printLine(text);
        return kExitRefused;
    }

    InstallerContext& context_;
    Console& console_;
    const ConsoleCommand& command_;
};

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, Console& console,
                   const ConsoleContextFactory& contextWith) {
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (!parsed.command) {
        console.printLine(parsed.error);
        console.printLine("");
        console.printLine(usageText());
        return kExitBadArguments;
    }
    const ConsoleCommand& command = *parsed.command;
    if (command.kind == CommandKind::Usage) {
        console.printLine(usageText());
        return kExitDone;
    }
    ConsoleUserInterface ui(console, command.confirmingOption, command.confirmed);
    ConsoleInstallerDialogs dialogs;
    InstallerContext context = contextWith(ui, dialogs);
    try {
        return CommandRun(context, console, command).run();
    } catch (const std::exception& failure) {
        reportUnexpectedFailure(failure, context.files, context.process, ui);
        return kExitFailed;
    }
}

}  // namespace wf
