#include "installer/demo_data.h"

#include "common/text.h"
#include "installer/demo_data_source.h"
#include "installer/error_log.h"
#include "installer/sql_quoting.h"

namespace wf {
namespace {

constexpr int kServerCommandTimeout = 300;
constexpr const char* kInUseAdvice = "Please make sure that no one is currently using the accounting database or Wrenfold";
constexpr const char* kMissingDataAdvice = "Please make sure that the Wrenfold demo data directory exists";

// A step of the run that failed and stops it; the user has been told.
struct RunStopped {};

bool hasCurrentRow(SqlRecordSet& records) { return !records.endOfSet() && !records.beginOfSet(); }

// One installation of demonstration data: the values of the run and its steps.
class DemoDataRun {
public:
    DemoDataRun(InstallerContext& context, int dataSetIndex, const FileCopyProgress& progress)
        : context_(context), state_(context.state), dataSetIndex_(dataSetIndex), progress_(progress) {}

    bool install() {
        context_.ui.setBusyPointer(true);
        source_ = demoDataSource(context_, dataSetIndex_);
        if (context_.host == HostSystem::CounterPointSql && !holdsOrdinaryFile(source_.folder)) {
            tellNoDataForVersion();
            context_.ui.setBusyPointer(false);
            return false;
        }
        try {
            prepare();
            takeOut(state_.strCompanyDB);
            replaceFiles(source_.companyFiles(), companyFiles_, "copy " + source_.baseName + ".mdf");
            attach(state_.strCompanyDB, companyFiles_, "attach \"" + state_.strCompanyDB + "\"");
            takeOut(state_.strOurDB);
            replaceFiles(source_.ourFiles(), ourFiles_, "copy " + source_.baseName + "SV.mdf");
            attach(state_.strOurDB, ourFiles_, "attach " + state_.strOurDB);
            if (context_.host == HostSystem::CounterPointSql) pointSharedDirectoryHere();
        } catch (const RunStopped&) {
            result_ = false;
        }
        context_.ui.setBusyPointer(false);
        if (server_) ignoreFailure([&] { server_->close(); });
        return result_;
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
            "Your CP SQL version is " + version + ".",
            kOkOnly + kCritical, kInstallerTitle);
    }

    // The server connection and the four files, read before anything changes.
    void prepare() {
        server_ = context_.sql.createConnection();
        runOn(*server_, "", [&] {
            server_->open(state_.strNoCatConnectionString);
            server_->setCommandTimeout(kServerCommandTimeout);
        });
        companyFiles_ = readDatabaseFiles(state_.strCompanyConnectionString);
        ourFiles_ = readDatabaseFiles(state_.strOurConnectionString);
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

    void takeOut(const std::string& database) {
        step_ = "set " + database + " offline";
        execute("alter database " + quotedName(database) + " set offline with rollback immediate");
        step_ = "detach " + database;
        try {
            execute("sp_detach_db " + quotedName(database));
        } catch (const RunStopped&) {
            bringBackOnline(database);
            throw;
        }
    }

    // A database that could not be detached must not stay offline: its users
    // would find it gone although nothing was exchanged.
    void bringBackOnline(const std::string& database) {
        const std::string statement = "alter database " + quotedName(database) + " set online";
        try {
            server_->clearErrors();
            server_->execute(statement);
            logStepNote(context_, statement, "The database was brought back online after the failed detach.");
        } catch (const RunError& failure) {
            logFailure(*server_, statement, failure);
        }
    }

    void replaceFiles(const DatabaseFilePair& source, const DatabaseFilePair& target, const std::string& step) {
        step_ = step;
        std::optional<FileCopyFailure> failure = replaceDatabaseFiles(context_.files, source, target, progress_);
        if (!failure) return;
        logStepNote(context_, "copy " + failure->source, failure->error.description());
        if (!copyFailureShown_) {
            context_.ui.messageBox(failure->error.description() + ": \r\n" + failure->source + "\r\n\r\n" +
                                       kMissingDataAdvice,
                                   kOkOnly + kCritical, caption());
            copyFailureShown_ = true;
        }
        context_.ui.setBusyPointer(false);
        result_ = false;
    }

    void attach(const std::string& database, const DatabaseFilePair& files, const std::string& step) {
        step_ = step;
        execute("sp_attach_db " + quotedText(database) + ", " + quotedText(files.data) + ", " + quotedText(files.log));
    }

    // CounterPoint SQL finds its shared files through DB_CTL; it must name this
    // installation, not the one the demonstration data was made on. Best effort.
    void pointSharedDirectoryHere() {
        std::unique_ptr<SqlConnection> connection = context_.sql.createConnection();
        ignoreFailure([&] {
            connection->open(state_.strCompanyConnectionString);
            std::unique_ptr<SqlRecordSet> records = connection->openRecordSet(
                "select * from DB_CTL where KEY_ID = 1", CursorType::Dynamic, LockType::Pessimistic);
            if (hasCurrentRow(*records)) {
                records->setField("SHARED_DIR", state_.strHostPath + "\\");
                records->update();
            }
            records->close();
        });
        ignoreFailure([&] { connection->close(); });
    }

    void execute(const std::string& statement) {
        runOn(*server_, statement, [&] { server_->execute(statement); });
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
            logStatementFailure(context_, statement, connection);
        else
            logStepNote(context_, statement, failure.description());
    }

    std::string caption() const { return std::string(kInstallerTitle) + ", " + step_; }

    InstallerContext& context_;
    InstallerState& state_;
    const int dataSetIndex_;
    const FileCopyProgress& progress_;
    DemoDataSource source_;
    std::unique_ptr<SqlConnection> server_;
    DatabaseFilePair companyFiles_;
    DatabaseFilePair ourFiles_;
    std::string step_;
    bool copyFailureShown_ = false;
    bool result_ = true;
};

}  // namespace

bool InstallDemoData(InstallerContext& context, int dataSetIndex, const FileCopyProgress& progress) {
    return DemoDataRun(context, dataSetIndex, progress).install();
}

}  // namespace wf
