#include "installer/hosts/company_catalogue.h"

#include "common/text.h"
#include "installer/hosts/noted_host_file.h"
#include "installer/login/error_log.h"
#include "installer/registry/c_registry.h"

namespace wf {
namespace {

constexpr const char* kDataSourcesKey = "Software\\odbc\\odbc.ini\\ODBC Data Sources";

}  // namespace

std::vector<CompanyEntry> counterPointCompanies(InstallerContext& context) {
    return readNotedHostFile(context.files, context.errorLog(), context.state.host.strHostPath + "\\Companies.ini",
                             std::vector<CompanyEntry>(), readCompanyList);
}

// Version 9.0 and later list their companies in SY01500, older ones in DU000099.
std::vector<CompanyEntry> greatPlainsCompanies(InstallerContext& context) {
    const bool companyMaster = context.state.host.strGPVersion == "9.0" || context.state.host.strGPVersion == "10";
    const std::string statement =
        companyMaster ? "select * from SY01500 order by CMPNYNAM" : "select * from DU000099 order by CMPNYNAM";
    const std::string idColumn = companyMaster ? "INTERID" : "DB_NAME";
    std::unique_ptr<SqlConnection> connection = context.sql.createConnection();
    std::vector<CompanyEntry> companies;
    std::string failedStatement;
    try {
        connection->open(context.state.connections.strDynamicsConnectionString);
        failedStatement = statement;
        std::unique_ptr<SqlRecordSet> rows =
            connection->openRecordSet(statement, CursorType::ForwardOnly, LockType::ReadOnly);
        if (!rows->endOfSet() && !rows->beginOfSet()) {
            rows->moveFirst();
            for (; !rows->endOfSet(); rows->moveNext()) {
                const std::string id = trimBlanks(rows->field(idColumn));
                if (toUpper(id) != "DYNAMICS") companies.push_back({id, trimBlanks(rows->field("CMPNYNAM"))});
            }
        }
        rows->close();
    } catch (const RunError& failure) {
        companies.clear();
        context.errorLog().statementFailure(failedStatement, *connection);
        context.ui.messageBox(failure.description(), kOkOnly + kCritical, kInstallerTitle);
    }
    ignoreFailure([&] { connection->close(); });
    return companies;
}

std::vector<CompanyEntry> passportCompanies(InstallerContext& context) {
    cRegistry registry(context.registry, context.process.programName());
    registry.ClassKey(static_cast<std::int32_t>(kHkeyLocalMachine));
    registry.SectionKey(kDataSourcesKey);
    OneBasedArray<std::string> names;
    std::int32_t count = 0;
    std::vector<CompanyEntry> companies;
    if (!ignoreFailure([&] { registry.EnumerateValues(names, count); })) return companies;
    for (std::int32_t index = 1; index <= count; ++index) companies.push_back({names[index], names[index]});
    return companies;
}

}  // namespace wf
