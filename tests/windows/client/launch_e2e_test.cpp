#include "tests/windows/client/client_e2e_fixture.h"

#include "tests/windows/support/host_paths.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;

using Launch = ClientEndToEnd;

TEST_F(Launch, ThePathFileIsUsedWithoutAnyQuestion) {
    std::string server = placeServer(share);
    storePath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(log(), "") << "a normal run writes nothing";
}

TEST_F(Launch, TheRegistryValueIsTheFallbackAndIsNotCopiedToThePathFile) {
    std::string server = placeServer(share, "WrenfoldGP.exe");
    storeRegistryPath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(GetFileAttributesA(workstationFile("ServerPath.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A 32-bit setup on 64-bit Windows leaves the value in the 32-bit view; one in the
// 64-bit view alone belongs to no installation the client serves.
TEST_F(Launch, TheRegistryValueIsReadFromTheThirtyTwoBitViewOnly) {
    std::string otherFolder = scratch.folder("other");
    std::string other = placeServer(otherFolder);
    storeRegistryPath(other, RegistryView::SixtyFourBit);
    startClient();
    ASSERT_TRUE(automation::answerMessageBox(kQuestionTitle, "No", 15s, &trail).has_value())
        << "a value in the 64-bit view only is no stored path";
    ASSERT_TRUE(automation::answerMessageBox(kQuestionTitle, "OK", 10s, &trail).has_value());
    ASSERT_TRUE(clientEnds());

    std::string server = placeServer(share, "WrenfoldGP.exe");
    storeRegistryPath(server, RegistryView::ThirtyTwoBit);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_TRUE(nothingStarted(otherFolder));
}

TEST_F(Launch, TheCommandLineIsForwardedWithTabs) {
    std::string server = placeServer(share, "WrenfoldPBS.exe");
    storePath(server);
    startClient("alpha beta gamma");
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client\talpha\tbeta gamma");
    ASSERT_TRUE(clientEnds());
}

TEST_F(Launch, AShareWithBlanksStartsTheRightProgram) {
    std::string folder = scratch.folder("Wrenfold Apps");
    std::string server = placeServer(folder);
    storePath(server);
    startClient("one two");
    EXPECT_EQ(startedWith(folder), "\"" + server + "\" /Client\tone\ttwo");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(log(), "");
}

TEST_F(Launch, AServerProgramThatShowsItsWindowLateIsStillANormalStart) {
    std::string server = placeServer(share);
    storePath(server);
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_WINDOW_DELAY_MS", "1500");
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_WINDOW_DELAY_MS", nullptr);
    EXPECT_EQ(log(), "") << "no error entry";
    auto window = automation::waitForWindow("Wrenfold Server (sample)", {}, 5s);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(GetForegroundWindow(), window->handle);
}

TEST_F(Launch, AnotherProgramNameEndsWithoutStartingAnything) {
    std::string other = placeServer(share);
    std::string renamed = share + "\\Notepad.exe";
    MoveFileA(other.c_str(), renamed.c_str());
    storePath(renamed);
    startClient();
    ASSERT_TRUE(clientEnds());
    EXPECT_TRUE(nothingStarted(share));
    EXPECT_EQ(log(), "");
}

TEST_F(Launch, AProgramThatCannotStartIsReportedAndLogged) {
    std::string broken = share + "\\Wrenfold.exe";
    writeFileText(broken, "not a program");
    storePath(broken);
    startClient();
    auto box = automation::answerMessageBox("WrenfoldClient", "OK", 15s, &trail);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "5 Invalid procedure call or argument");
    EXPECT_FALSE(box->hasIcon);
    ASSERT_TRUE(clientEnds());
    std::string entry = log();
    EXPECT_EQ(entry.rfind("----> Client 1.4.2 Error ", 0), 0u) << entry;
    EXPECT_NE(entry.find("\r\n " + broken + "\r\n 0\r\n"), std::string::npos) << entry;
    EXPECT_EQ(registryPath(), "<none>") << "only a missing file is written to the registry";
}

}  // namespace
}  // namespace wf::testing
