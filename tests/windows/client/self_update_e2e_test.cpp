#include "tests/windows/client/client_e2e_fixture.h"

#include "tests/windows/support/host_paths.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;

using SelfUpdateOnStart = ClientEndToEnd;

TEST_F(SelfUpdateOnStart, ANewerCopyOnTheShareReplacesTheClient) {
    std::string server = placeServer(share);
    copyFileTo(windowsPath(WF_NEXT_CLIENT_EXE), share + "\\WrenfoldClient.exe");
    writeFileText(workstationFile("WrenfoldClientOLD.exe"), "left from an earlier update");
    storePath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(versionOf(workstationFile("WrenfoldClient.exe")), "1.4.0.3");
    EXPECT_EQ(versionOf(workstationFile("WrenfoldClientOLD.exe")), "1.4.0.2");
    std::string entry = log();
    EXPECT_EQ(entry.rfind("----> Client Self Update ", 0), 0u) << entry;
    EXPECT_NE(entry.find("\r\n  Old version: 1.4.0.2\r\n  New version: 1.4.0.3\r\n"), std::string::npos) << entry;

    // The next start finds equal versions and changes nothing.
    startClient();
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(log(), entry);
}

TEST_F(SelfUpdateOnStart, AnEqualVersionIsLeftAlone) {
    std::string server = placeServer(share);
    copyFileTo(windowsPath(WF_CLIENT_EXE), share + "\\WrenfoldClient.exe");
    storePath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(GetFileAttributesA(workstationFile("WrenfoldClientOLD.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(log(), "");
}

TEST_F(SelfUpdateOnStart, AFailedCopyLeavesTheClientInPlace) {
    std::string server = placeServer(share);
    copyFileTo(windowsPath(WF_NEXT_CLIENT_EXE), share + "\\WrenfoldClient.exe");
    // A folder where the incoming copy would be written makes the copy fail.
    scratch.folder("workstation\\WrenfoldClient.exe.new");
    storePath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(versionOf(workstationFile("WrenfoldClient.exe")), "1.4.0.2");
    EXPECT_EQ(GetFileAttributesA(workstationFile("WrenfoldClientOLD.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(log().find("  New version: 1.4.0.3\r\n"), std::string::npos) << "the attempt is logged";
}

TEST_F(SelfUpdateOnStart, TheServerProgramInTheClientsPlaceIsNotInstalled) {
    std::string server = placeServer(share);
    copyFileTo(server, share + "\\WrenfoldClient.exe");
    storePath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(versionOf(workstationFile("WrenfoldClient.exe")), "1.4.0.2");
    EXPECT_EQ(GetFileAttributesA(workstationFile("WrenfoldClient.exe.new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(log().find("  New version: 7.0.0.1\r\n  Not installed: the copy is the program \"Wrenfold.exe\", not "
                         "WrenfoldClient.exe\r\n"),
              std::string::npos)
        << log();
}

TEST_F(SelfUpdateOnStart, AFailedStartAfterTheUpdateNamesTheVersionThatRan) {
    std::string broken = share + "\\Wrenfold.exe";
    writeFileText(broken, "not a program");
    copyFileTo(windowsPath(WF_NEXT_CLIENT_EXE), share + "\\WrenfoldClient.exe");
    storePath(broken);
    startClient();
    ASSERT_TRUE(automation::answerMessageBox("WrenfoldClient", "OK", 15s, &trail).has_value());
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(versionOf(workstationFile("WrenfoldClient.exe")), "1.4.0.3") << "the update took";
    std::string entry = log();
    EXPECT_NE(entry.find("  New version: 1.4.0.3\r\n----> Client 1.4.2 Error "), std::string::npos) << entry;
}

}  // namespace
}  // namespace wf::testing
