// CounterPoint SQL's own files as start-up and the login read them, each fuzzed:
// "\bin\CounterPoint.ini", "Companies.ini", "counterpoint.ini" and the chosen
// company's id, cut at NULs. A company listed is an "id=name" line of the file,
// its name running to the next "=".
#include <algorithm>

#include "common/registry_store/registry_value_store.h"
#include "installer/hosts/company_catalogue.h"
#include "installer/hosts/host_locators.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/installer/installer_fixture.h"

namespace {

using wf::fuzz::require;

bool listedAsWritten(const wf::CompanyEntry& company, const std::vector<std::string>& lines) {
    const std::string entry = company.id + "=" + company.name;
    return !company.id.empty() && company.name.find('=') == std::string::npos &&
           std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
               return line.starts_with(entry) && (line.size() == entry.size() || line[entry.size()] == '=');
           });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> input = wf::fuzz::fields(data, size, 4);
    input.resize(4);
    wf::testing::InstallerFixture f;
    wf::RegistryValueStore(f.registry)
        .WriteValue(wf::kHkeyLocalMachine, "SOFTWARE\\Synchronics\\CounterPoint\\8.0", "InstallPath", "C:\\CP");
    f.files.addFile("C:\\CP\\bin\\CounterPoint.ini", input[0]);
    f.files.addFile("D:\\CPSQL\\Companies.ini", input[1]);
    f.files.addFile("D:\\CPSQL\\counterpoint.ini", input[2]);
    wf::InstallerContext context = f.context();

    require(wf::GetCPRegistryInfo(context) == !f.state.host.strHostPath.empty());
    // The other files are read in the installation's folder, wherever TOPLEVEL pointed.
    f.state.host.strHostPath = "D:\\CPSQL";
    const std::vector<std::string> lines = wf::fuzz::referenceLines(input[1]);
    for (const wf::CompanyEntry& company : wf::counterPointCompanies(context)) require(listedAsWritten(company, lines));
    f.state.operation.strCompanyDB = input[3];
    const std::string catalogue = wf::GetCPLoginInfo(context);
    require(f.state.operation.strOurDB == catalogue + "SV");
    require(wf::counterPointVersion(context).size() <= 5);
    return 0;
}
