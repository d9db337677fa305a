#pragma once
// The record shared by every procedure of the installer window and its two
// dialogs. It lives until the program ends and is never saved; nothing resets it
// between two operations. Strings start empty, flags false.
#include <array>
#include <string>
#include <vector>

namespace wf {

struct InstallerState {
    // Form fields.
    std::string strHostPath;
    std::string strCompanyDB;
    std::string strOurDB;
    std::vector<std::string> strCompanyIds;
    std::array<std::string, 11> strDataSetFolders;
    bool bDemoData = false;
    bool bEmptyDatabase = false;

    // Module-wide fields, shared with the logon and lookup dialogs.
    std::string strDBServer;
    std::string strDBUser;
    std::string strDBPassword;
    std::string strCPCatalog;
    std::string strCPIntegratedSecurity;
    std::string strCompanyConnectionString;
    std::string strOurConnectionString;
    std::string strNoCatConnectionString;
    std::string strDynamicsConnectionString;
    std::string strGPVersion;
    std::string strLookupResult;
    bool bLogonOK = false;
};

}  // namespace wf
