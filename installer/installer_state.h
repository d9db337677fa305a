#pragma once
// The record shared by every procedure of the installer window and its two
// dialogs. It lives until the program ends and is never saved; nothing resets it
// between two operations. Strings start empty, flags false. The fields keep the
// installer's own names, grouped by what they describe.
#include <array>
#include <string>
#include <vector>

namespace wf {

// The host system's installation, found at start-up.
struct HostInstallation {
    std::string strHostPath;
    std::string strGPVersion;
    std::vector<std::string> strCompanyIds;
    std::array<std::string, 11> strDataSetFolders;
};

// The login of the chosen company, from the host's files or the logon dialog.
struct CompanyLogin {
    std::string strDBServer;
    std::string strDBUser;
    std::string strDBPassword;
    std::string strCPCatalog;
    std::string strCPIntegratedSecurity;
};

// The four strings composed from the login.
struct ConnectionStrings {
    std::string strCompanyConnectionString;
    std::string strOurConnectionString;
    std::string strNoCatConnectionString;
    std::string strDynamicsConnectionString;
};

// The operation chosen and the databases it works on.
struct OperationChoice {
    std::string strCompanyDB;
    std::string strOurDB;
    bool bDemoData = false;
    bool bEmptyDatabase = false;
};

// What the logon and lookup dialogs hand back.
struct DialogExchange {
    std::string strLookupResult;
    bool bLogonOK = false;
};

struct InstallerState {
    HostInstallation host;
    CompanyLogin login;
    ConnectionStrings connections;
    OperationChoice operation;
    DialogExchange dialogs;
};

}  // namespace wf
