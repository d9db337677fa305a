#include "tests/unit/client/client_fixture.h"

namespace wf::testing {
namespace {

using CommandLineForwarding = ClientTest;

TEST_F(CommandLineForwarding, ThreeWordsGoAsHeadAndTailAfterTabs) {
    storePath(kServer);
    process.arguments = "one two three";
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client\tone\ttwo three");
    EXPECT_EQ(process.starts.back().style, kNormalFocus);
}

TEST_F(CommandLineForwarding, OneWordOrNothingAddsOnlyTheClientSwitch) {
    storePath(kServer);
    process.arguments = "single";
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client");
    process.arguments = "";
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client");
}

TEST_F(CommandLineForwarding, ALeadingSpaceLeavesTheHeadEmpty) {
    storePath(kServer);
    process.arguments = " a b";
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client");
}

TEST_F(CommandLineForwarding, APathWithBlanksIsQuotedAndActivated) {
    files.addFile("\\\\srv\\Wrenfold Apps\\Wrenfold.exe");
    storePath("\\\\srv\\Wrenfold Apps\\Wrenfold.exe");
    process.nextTaskId = 777;
    frmClient& form = run();
    EXPECT_EQ(started(), "\"\\\\srv\\Wrenfold Apps\\Wrenfold.exe\" /Client");
    EXPECT_EQ(process.activated, std::vector<double>{777});
    EXPECT_EQ(form.ServerTaskId, 777);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(log(), "");
    EXPECT_EQ(ui.ended, 1);
}

using PathStorage = ClientTest;

TEST_F(PathStorage, OnlyTheFirstLineOfThePathFileCountsAsWritten) {
    files.addFile(kPathFile, std::string(kServer) + "\r\nsomething else\r\n");
    EXPECT_EQ(run().ServerExePath, kServer);
    files.addFile(kPathFile, std::string(kServer) + " \r\n");
    EXPECT_EQ(run().ServerExePath, std::string(kServer) + " ");
}

TEST_F(PathStorage, RegistryIsTheFallbackWhenThePathFileIsMissingOrEmpty) {
    storeRegistryPath(kServer);
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client");
    EXPECT_FALSE(files.has(kPathFile)) << "the path file is not written from the registry";

    files.addFile(kPathFile, "");
    process.starts.clear();
    run();
    EXPECT_EQ(process.starts.size(), 1u);
    EXPECT_EQ(files.file(kPathFile).content, "");
}

TEST_F(PathStorage, AFailingReadOfThePathFileCountsAsEmptySoTheRegistryServes) {
    storePath("\\\\old\\apps\\Wrenfold.exe");
    storeRegistryPath(kServer);
    files.faults().failNth(FileOp::Read, 1, RunError(kErrPathFileAccess, "Path/File access error"));
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(log(), "");
}

// Denied by its rights, or held by another program: the user is told, the error
// entry written, and the registry value does not stand in unseen.
TEST_F(PathStorage, APathFileThatCannotBeOpenedEndsTheRunWithItsError) {
    for (const RunError& error : {RunError(kErrPathFileAccess, "Path/File access error"),
                                  RunError(kErrPermissionDenied, "Permission denied")}) {
        SCOPED_TRACE(error.what());
        files.addFile(kLog, "");
        ui = ScriptedUserInterface();
        storePath("\\\\old\\apps\\Wrenfold.exe");
        storeRegistryPath(kServer);
        files.faults().failNth(FileOp::OpenForReading, 1, error);
        run();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, std::to_string(error.number()) + " " + error.description());
        EXPECT_EQ(log(), "----> Client 1.4.2 Error 6/15/2007 2:03:02 PM\r\n \r\n 0\r\n");
        EXPECT_EQ(started(), "<nothing>");
        EXPECT_EQ(ui.ended, 1);
    }
}

TEST_F(PathStorage, AStalePathFileWinsOverAGoodRegistryValue) {
    storePath("\\\\old\\apps\\Wrenfold.exe");
    storeRegistryPath(kServer);
    ui.answers = {kAnswerNo, kAnswerOk};
    frmClient& form = run();
    EXPECT_EQ(form.ServerExePath, "\\\\old\\apps\\Wrenfold.exe");
    EXPECT_EQ(ui.messages.size(), 2u) << "the first-run question is asked";
    EXPECT_TRUE(process.starts.empty());
}

TEST_F(PathStorage, AHiddenPathFileIsNotRead) {
    files.addFile(kPathFile, std::string(kServer) + "\r\n", kAttrHidden);
    ui.answers = {kAnswerNo, kAnswerOk};
    EXPECT_EQ(run().ServerExePath, "");
}

using PathCheck = ClientTest;

TEST_F(PathCheck, AHiddenServerProgramPassesAndIsStarted) {
    files.addFile("\\\\srv\\hidden\\Wrenfold.exe", "", kAttrHidden);
    storePath("\\\\srv\\hidden\\Wrenfold.exe");
    run();
    EXPECT_EQ(started(), "\"\\\\srv\\hidden\\Wrenfold.exe\" /Client");
    EXPECT_EQ(log(), "");
}

TEST_F(PathCheck, AnExistingFolderPassesButIsNoServerProgram) {
    files.addFolder("\\\\srv\\apps\\folder");
    storePath("\\\\srv\\apps\\folder");
    run();
    EXPECT_TRUE(process.starts.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(log(), "");
    EXPECT_EQ(ui.ended, 1);
}

TEST_F(PathCheck, AMissingPathIsLoggedWithTheDetailsThatCanBeHad) {
    storePath("\\\\srv\\gone\\Wrenfold.exe");
    ui.answers = {kAnswerNo, kAnswerOk};
    run();
    EXPECT_EQ(log(),
              "----> Client 1.4.2 Error 6/15/2007 2:03:02 PM\r\n"
              " Path=\\\\srv\\gone\\Wrenfold.exe\r\n"
              " Dir=\r\n"
              " Dir$=\r\n");
}

TEST_F(PathCheck, AFailingDirectoryLookupEndsTheRunWithItsError) {
    storePath(kServer);
    files.faults().failNth(FileOp::FindFile, 2, RunError(kErrBadFileName, "Bad file name or number"));
    run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "52 Bad file name or number");
    EXPECT_TRUE(process.starts.empty());
}

using ProgramCheck = ClientTest;

TEST_F(ProgramCheck, AcceptsTheThreeNamesInAnyCaseAndAsTheEndOfALongerName) {
    for (const char* path : {"\\\\srv\\apps\\WRENFOLDGP.EXE", "\\\\srv\\apps\\wrenfoldpbs.exe", "\\\\srv\\apps\\MyWrenfold.exe"}) {
        files.addFile(path);
        storePath(path);
        process.starts.clear();
        run();
        EXPECT_EQ(process.starts.size(), 1u) << path;
    }
}

TEST_F(ProgramCheck, AnyOtherProgramEndsSilently) {
    files.addFile("\\\\srv\\apps\\notepad.exe");
    storePath("\\\\srv\\apps\\notepad.exe");
    frmClient& form = run();
    EXPECT_TRUE(process.starts.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(log(), "");
    EXPECT_EQ(form.ServerTaskId, 0);
}

using EndHandler = ClientTest;

TEST_F(EndHandler, AFileNotFoundStartIsShownLoggedAndStoredInTheRegistry) {
    storePath(kServer);
    process.faults().failFrom(ProcessOp::StartProgram, 1, RunError(kErrFileNotFound, "File not found"));
    run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "53 File not found");
    EXPECT_EQ(ui.messages[0].style, kOkOnly);
    EXPECT_EQ(ui.messages[0].title, "");
    EXPECT_EQ(log(), "----> Client 1.4.2 Error 6/15/2007 2:03:02 PM\r\n \\\\srv\\apps\\Wrenfold.exe\r\n 0\r\n");
    EXPECT_EQ(registryPath(), kServer);
    EXPECT_EQ(ui.ended, 1);
}

TEST_F(EndHandler, OtherFailuresAreShownAndLoggedButNotStored) {
    storePath(kServer);
    process.faults().failFrom(ProcessOp::StartProgram, 1, RunError(kErrPermissionDenied, "Start failed"));
    run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "70 Start failed");
    EXPECT_NE(log().find(" 0\r\n"), std::string::npos);
    EXPECT_EQ(registryPath(), "<none>");
}

TEST_F(EndHandler, LogTroubleLosesOnlyTheEntry) {
    storePath(kServer);
    process.faults().failFrom(ProcessOp::StartProgram, 1, RunError(kErrPermissionDenied, "Start failed"));
    files.faults().failNth(FileOp::Append, 1, RunError(kErrDiskFull, "Disk full"));
    run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "70 Start failed");
    EXPECT_EQ(log(), "");
    EXPECT_EQ(ui.ended, 1);
}

}  // namespace
}  // namespace wf::testing
