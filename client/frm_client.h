#pragma once
// The launcher's only form. It is never shown: its load handler runs the whole
// client from top to bottom and ends the program.
#include <optional>
#include <string>

#include "client/client_context.h"
#include "client/self_update.h"

namespace wf {

class frmClient {
public:
    frmClient(ClientContext context, SelfUpdate& selfUpdate) : context_(context), selfUpdate_(selfUpdate) {}

    // Full path of the server program to start.
    std::string ServerExePath;
    // Task identifier of the started server program (0 when none was started).
    double ServerTaskId = 0;
    // True once the form has been unloaded (every run ends so).
    bool unloaded = false;

    // The whole run.
    void Form_Load();

    // Path storage: the path file beside the client, the registry value as fallback.
    void GetExePath();
    void SaveExePath();
    void GetRegistryInfo();
    void SaveRegistryInfo();

private:
    // The path check: true when the directory lookup lists the path or, failing
    // that, its attributes can be read (a hidden file, a folder).
    bool pathPassesCheck();
    void logPathCheck();
    // Asks for the server program on the first run; false when the user declines.
    bool askForServerProgram();
    void startServerProgram(const std::string& commandHead, const std::string& commandTail);
    void endHandler(long number, const std::string& description);
    std::string logHeaderLine();

    ClientContext context_;
    SelfUpdate& selfUpdate_;
};

}  // namespace wf
