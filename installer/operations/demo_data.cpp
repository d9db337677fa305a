#include "installer/operations/demo_data.h"

#include <optional>
#include <vector>

#include "common/text.h"
#include "installer/hosts/host_profile.h"
#include "installer/login/error_log.h"
#include "installer/operations/demo_data_checks.h"
#include "installer/operations/demo_data_source.h"
#include "installer/operations/installation_progress.h"
#include "installer/operations/sql_quoting.h"

namespace wf {
namespace {

constexpr int kServerCommandTimeout = 300;
// Each database is taken out and attached again between its copies.
constexpr int kStepsPerDatabase = 2;
constexpr const char* kInUseAdvice =
    "Please make sure that no one is currently using the accounting database or Wrenfold";
constexpr const char* kMissingDataAdvice = "Please make sure that the Wrenfold demo data directory exists";

// A step of the run that failed or was stopped; the user has been told of a failure.
struct RunStopped {};

bool hasCurrentRow(SqlRecordSet& records) { return !records.endOfSet() && !records.beginOfSet(); }

// One of the two databases a run exchanges, and how far it has got.
struct ExchangedDatabase {
    enum class Stage { Untouched, Detached, OnPreparedFiles };

    std::string name;
    DatabaseFilePair prepared;
    std::string copyStep;
    std::string attachStep;
    DatabaseFilePair own;  // its files as the server names them
    std::optional<DatabaseFileExchange> files;
    Stage stage = Stage::Untouched;
};

// One installation of demonstration data: the values of the run and its steps.
class DemoDataRun {
public:
    DemoDataRun(InstallerContext& context, int dataSetIndex, const InstallationWatch& watch)
        : context_(context), state_(context.state), dataSetIndex_(dataSetIndex), watch_(watch) {}

    DemoDataResult install() {
        context_.ui.setBusyPointer(true);
        source_ = demoDataSource(context_, dataSetIndex_);
        if (hostProfile(context_.host).demoData.versionMustHoldFiles && !holdsOrdinaryFile(source_.folder)) {
            tellNoDataForVersion();
            context_.ui.setBusyPointer(false);
            return DemoDataResult::Refused;
        }
        databases_.push_back({state_.operation.strCompanyDB,
                              source_.companyFiles(),
                              "copy " + source_.baseName + ".mdf",
                              "attach \"" + state_.operation.strCompanyDB + "\"",
                              {},
                              {},
                              {}});
        databases_.push_back({state_.operation.strOurDB,
                              source_.ourFiles(),
                              "copy " + source_.baseName + "SV.mdf",
                              "attach " + state_.operation.strOurDB,
                              {},
                              {},
                              {}});
        bool installed = false;
        try {
            prepare();
            for (ExchangedDatabase& database : databases_) exchange(database);
            installed = true;
        } catch (const RunStopped&) {
            putBack();
        }
        if (installed) finish();
        context_.ui.setBusyPointer(false);
        if (server_) ignoreFailure([&] { server_->close(); });
        if (installed) return DemoDataResult::Installed;
        return refused_ ? DemoDataResult::Refused : DemoDataResult::Failed;
    }

private:
    bool holdsOrdinaryFile(const std::string& folder) {
        std::string found;
        ignoreFailure([&] { found = context_.files.findFile(folder + "*.*"); });
        return !found.empty();
    }

    void tellNoDataForVersion() {
        const std::string& part = source_.folderPart;
        const std::string version = part.size() > 5 ? part.substr(part.size() - 5) : part;
        context_.ui.messageBox(
            "This version of the data install utility does not contain data for your version of CP SQL.\r\n"
            "Your CP SQL version is " +
                version + ".",
            kOkOnly + kCritical, kInstallerTitle);
    }

    // The server connection, the four files, and every check that needs no change.
    void prepare() {
        server_ = context_.sql.createConnection();
        runOn(*server_, "", [&] {
            server_->open(state_.connections.strNoCatConnectionString);
            server_->setCommandTimeout(kServerCommandTimeout);
        });
        databases_[0].own = readDatabaseFiles(state_.connections.strCompanyConnectionString);
        databases_[1].own = readDatabaseFiles(state_.connections.strOurConnectionString);
        checkBeforeAnyChange();
        std::uint64_t fileBytes = 0;
        for (const ExchangedDatabase& database : databases_)
            fileBytes += context_.files.fileSize(database.prepared.data) + context_.files.fileSize(database.prepared.log);
        progress_.emplace(fileBytes, kStepsPerDatabase * static_cast<int>(databases_.size()), watch_.advanced);
        execute("use Master");
    }

    // SYSFILES' first row names the data file, its second the log file.
    DatabaseFilePair readDatabaseFiles(const std::string& connectionString) {
        std::unique_ptr<SqlConnection> connection = context_.sql.createConnection();
        DatabaseFilePair files;
        const std::string statement = "select * from SYSFILES";
        runOn(*connection, "", [&] { connection->open(connectionString); });
        runOn(*connection, statement, [&] {
            std::unique_ptr<SqlRecordSet> records =
                connection->openRecordSet(statement, CursorType::ForwardOnly, LockType::ReadOnly);
            if (hasCurrentRow(*records)) {
                files.data = trimBlanks(records->field("FileName"));
                records->moveNext();
                if (hasCurrentRow(*records)) files.log = trimBlanks(records->field("FileName"));
            }
            records->close();
        });
        ignoreFailure([&] { connection->close(); });
        return files;
    }

    void checkBeforeAnyChange() {
        std::vector<PlannedExchange> plans;
        for (const ExchangedDatabase& database : databases_)
            plans.push_back({database.name, database.prepared, database.own});
        const std::optional<std::string> refusal = exchangeRefusal(context_.files, plans);
        if (!refusal) return;
        step_ = "check files";
        context_.errorLog().stepNote(step_, refusal->substr(0, refusal->find('\r')));
        context_.ui.messageBox(*refusal, kOkOnly + kCritical, caption());
        refused_ = true;
        throw RunStopped{};
    }

    // Out, files exchanged, attached again: each step may be the last before a stop.
    void exchange(ExchangedDatabase& database) {
        stopIfAsked();
        takeOut(database.name);
        database.files.emplace(context_.files, database.own);
        database.stage = ExchangedDatabase::Stage::Detached;
        progress_->stepDone();
        stopIfAsked();
        exchangeFiles(database);
        stopIfAsked();
        step_ = database.attachStep;
        execute(attachStatement(database));
        database.stage = ExchangedDatabase::Stage::OnPreparedFiles;
        progress_->stepDone();
    }

    void stopIfAsked() {
        if (!watch_.stopRequested || !watch_.stopRequested()) return;
        context_.errorLog().stepNote("stop", "Stopped by the user: what was changed is put back.");
        throw RunStopped{};
    }

    void takeOut(const std::string& database) {
        step_ = "set " + database + " offline";
        execute(offlineStatement(database));
        step_ = "detach " + database;
        try {
            execute("sp_detach_db " + quotedName(database));
        } catch (const RunStopped&) {
            // A database that could not be detached must not stay offline: its users
            // would find it gone although nothing was exchanged.
            if (recover(onlineStatement(database)))
                context_.errorLog().stepNote(onlineStatement(database),
                                             "The database was brought back online after the failed detach.");
            throw;
        }
    }

    void exchangeFiles(ExchangedDatabase& database) {
        step_ = database.copyStep;
        const FileCopyProgress progress = [&](const std::string& target, std::uint64_t copied, std::uint64_t total) {
            progress_->copying(target, copied, total);
            return !watch_.progress || watch_.progress(target, copied, total);
        };
        const std::optional<FileExchangeFailure> failure = database.files->exchange(database.prepared, progress);
        if (!failure) return;
        const std::string& description = failure->error.description();
        context_.errorLog().stepNote((failure->copying ? "copy " : "rename ") + failure->path, description);
        if (failure->error.number() == kErrUserInterrupt) throw RunStopped{};
        context_.ui.messageBox(description + ": \r\n" + failure->path + "\r\n\r\n" +
                                   (failure->copying ? kMissingDataAdvice : kInUseAdvice),
                               kOkOnly + kCritical, caption());
        throw RunStopped{};
    }

    // Both databases run on the data set's files: their own are no longer needed,
    // and CounterPoint SQL must find its shared files here.
    void finish() {
        for (ExchangedDatabase& database : databases_) {
            for (const std::string& left : database.files->discardOwn())
                context_.errorLog().stepNote("delete " + left,
                                             "The database's former file could not be deleted and is left.");
        }
        if (hostProfile(context_.host).demoData.pointsSharedDirectoryHere) pointSharedDirectoryHere();
    }

    // After a failure or a stop: each database that changed gets its own files back
    // and is attached again, the later one first.
    void putBack() {
        for (auto database = databases_.rbegin(); database != databases_.rend(); ++database) {
            if (database->stage == ExchangedDatabase::Stage::OnPreparedFiles && !takeOffPreparedFiles(*database))
                continue;
            if (database->stage == ExchangedDatabase::Stage::Detached) attachOwnFiles(*database);
        }
    }

    bool takeOffPreparedFiles(ExchangedDatabase& database) {
        if (recover(offlineStatement(database.name)) && recover("sp_detach_db " + quotedName(database.name))) {
            database.stage = ExchangedDatabase::Stage::Detached;
            return true;
        }
        recover(onlineStatement(database.name));
        tellStranded(database, "could not be taken off the demonstration data and still holds it");
        return false;
    }

    void attachOwnFiles(ExchangedDatabase& database) {
        if (std::optional<RunError> failure = database.files->restore()) {
            context_.errorLog().stepNote("restore " + database.own.data, failure->description());
            tellStranded(database, "is detached: its own files could not be put back");
            return;
        }
        if (!recover(attachStatement(database))) {
            tellStranded(database, "could not be attached again and is detached");
            return;
        }
        database.stage = ExchangedDatabase::Stage::Untouched;
        context_.errorLog().stepNote(attachStatement(database), "The database was attached again with its own files.");
    }

    // The user and the log learn where a database's own files are when the run
    // could not give them back to it.
    void tellStranded(const ExchangedDatabase& database, const std::string& what) {
        const DatabaseFilePair files = database.files->ownFiles();
        const std::string text =
            "The database " + database.name + " " + what + ". Its own files are:\r\n" + files.data + "\r\n" + files.log;
        context_.errorLog().stepNote("put back " + database.name, replaceAll(text, "\r\n", " "));
        context_.ui.messageBox(text, kOkOnly + kCritical, kInstallerTitle);
    }

    // CounterPoint SQL finds its shared files through DB_CTL; it must name this
    // installation, not the one the demonstration data was made on. Best effort.
    void pointSharedDirectoryHere() {
        std::unique_ptr<SqlConnection> connection = context_.sql.createConnection();
        ignoreFailure([&] {
            connection->open(state_.connections.strCompanyConnectionString);
            std::unique_ptr<SqlRecordSet> records = connection->openRecordSet(
                "select * from DB_CTL where KEY_ID = 1", CursorType::Dynamic, LockType::Pessimistic);
            if (hasCurrentRow(*records)) {
                records->setField("SHARED_DIR", state_.host.strHostPath + "\\");
                records->update();
            }
            records->close();
        });
        ignoreFailure([&] { connection->close(); });
    }

    static std::string offlineStatement(const std::string& database) {
        return "alter database " + quotedName(database) + " set offline with rollback immediate";
    }
    static std::string onlineStatement(const std::string& database) {
        return "alter database " + quotedName(database) + " set online";
    }
    static std::string attachStatement(const ExchangedDatabase& database) {
        return "sp_attach_db " + quotedText(database.name) + ", " + quotedText(database.own.data) + ", " +
               quotedText(database.own.log);
    }

    void execute(const std::string& statement) {
        runOn(*server_, statement, [&] { server_->execute(statement); });
    }

    // A statement that puts something back: a failure is logged, not shown, and the
    // putting back goes on. True when it succeeded.
    bool recover(const std::string& statement) {
        try {
            server_->clearErrors();
            server_->execute(statement);
            return true;
        } catch (const RunError& failure) {
            logFailure(*server_, statement, failure);
            return false;
        }
    }

    // Runs one step on `connection`; a failure is logged, shown and stops the run.
    template <class Step>
    void runOn(SqlConnection& connection, const std::string& statement, Step&& step) {
        try {
            step();
        } catch (const RunError& failure) {
            logFailure(connection, statement, failure);
            context_.ui.messageBox(failure.description() + "\r\n\r\n" + kInUseAdvice, kOkOnly + kCritical, caption());
            throw RunStopped{};
        }
    }

    void logFailure(SqlConnection& connection, const std::string& statement, const RunError& failure) {
        if (connection.errorCount() > 0)
            context_.errorLog().statementFailure(statement, connection);
        else
            context_.errorLog().stepNote(statement, failure.description());
    }

    std::string caption() const { return std::string(kInstallerTitle) + ", " + step_; }

    InstallerContext& context_;
    InstallerState& state_;
    const int dataSetIndex_;
    const InstallationWatch& watch_;
    DemoDataSource source_;
    std::unique_ptr<SqlConnection> server_;
    std::optional<InstallationProgress> progress_;  // once the files are known
    std::vector<ExchangedDatabase> databases_;  // the company's database, then its Wrenfold one
    std::string step_;
    bool refused_ = false;
};

}  // namespace

DemoDataResult InstallDemoData(InstallerContext& context, int dataSetIndex, const InstallationWatch& watch) {
    return DemoDataRun(context, dataSetIndex, watch).install();
}

}  // namespace wf
