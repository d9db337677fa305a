#pragma once
// A workstation with the client in C:\Wrenfold and a share \\srv\apps holding the
// server programs, for running the launcher against doubles.
#include <gtest/gtest.h>

#include "client/frm_client.h"
#include "client/self_update.h"
#include "tests/doubles/fake_process_services.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_file_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/scripted_user_interface.h"

namespace wf::testing {

inline constexpr char kClientKey[] = "SOFTWARE\\Quillmark\\WrenfoldClient";
inline constexpr char kServer[] = "\\\\srv\\apps\\Wrenfold.exe";
inline constexpr char kPathFile[] = "C:\\Wrenfold\\ServerPath.ini";
inline constexpr char kLog[] = "C:\\Wrenfold\\ErrorLog.txt";

class ClientTest : public ::testing::Test {
protected:
    ClientTest() {
        files.addFolder("C:\\Wrenfold");
        files.addFile("C:\\Wrenfold\\WrenfoldClient.exe", "client 1.4.0.2", kAttrArchive, "1.4.0.2");
        files.addFile(kServer, "server", kAttrArchive, "7.0.0.1");
    }

    // Runs the client once, as a new process would.
    frmClient& run() {
        form_ = std::make_unique<frmClient>(ClientContext{files, process, clock, ui, store}, update);
        form_->Form_Load();
        return *form_;
    }

    void storePath(const std::string& path) { files.addFile(kPathFile, path + "\r\n"); }
    void storeRegistryPath(const std::string& path) { store.WriteValue(kHkeyLocalMachine, kClientKey, "ServerPath", path); }
    std::string registryPath() {
        std::string value = "<none>";
        store.ReadValue(kHkeyLocalMachine, kClientKey, "ServerPath", value);
        return value;
    }
    std::string log() const { return files.has(kLog) ? files.file(kLog).content : std::string(); }
    std::string started() const { return process.starts.empty() ? "<nothing>" : process.starts.back().command; }

    MemoryFileSystem files;
    FakeProcessServices process;
    FixedClock clock;
    ScriptedUserInterface ui;
    MemoryRegistry registry;
    RegistryValueStore store{registry};
    SelfUpdate update{files, process, clock};

private:
    std::unique_ptr<frmClient> form_;
};

}  // namespace wf::testing
