#include "tests/unit/client/client_fixture.h"
#include "tests/support/client_messages.h"

namespace wf::testing {
namespace {

const char kPathCheckEntry[] = "----> Client 1.4.2 Error 6/15/2007 2:03:02 PM\r\n Path=\r\n Dir=\r\n Dir$=\r\n";

using FirstRun = ClientTest;

TEST_F(FirstRun, NoAnswerShowsOneNoticeAndStoresNothing) {
    ui.answers = {kAnswerNo, kAnswerOk};
    frmClient& form = run();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, kQuestionText);
    EXPECT_EQ(ui.messages[0].style, kYesNo + kQuestion);
    EXPECT_EQ(ui.messages[0].title, "Wrenfold Client Setup - v1.4.2");
    EXPECT_EQ(ui.messages[1].text, kNoticeText);
    EXPECT_EQ(ui.messages[1].style, kOkOnly + kInformation);
    EXPECT_EQ(ui.messages[1].title, "Wrenfold Client Setup - v1.4.2");
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_EQ(log(), kPathCheckEntry);
    EXPECT_FALSE(files.has(kPathFile));
    EXPECT_EQ(registryPath(), "<none>");
    EXPECT_TRUE(form.unloaded);
    EXPECT_EQ(ui.ended, 0) << "the form unloads itself; the end handler does not run";
}

TEST_F(FirstRun, YesOpensTheDialogSavesTheChoiceAndStartsIt) {
    ui.fileChoices = {std::string(kServer)};
    run();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const OpenFileRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.title, "Browse for Wrenfold Server");
    EXPECT_EQ(request.initialFileName, "Wrenfold.exe");
    EXPECT_EQ(request.filter,
              "Wrenfold for CP (Wrenfold.exe)|Wrenfold.exe|Wrenfold for GP (WrenfoldGP.exe)|WrenfoldGP.exe|"
              "Wrenfold for PBS (WrenfoldPBS.exe)|WrenfoldPBS.exe|");
    EXPECT_EQ(request.defaultExtension, ".exe");
    EXPECT_EQ(files.file(kPathFile).content, std::string(kServer) + "\r\n");
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client");
    EXPECT_EQ(registryPath(), "<none>") << "the choice is not written to the registry";
    EXPECT_EQ(log(), kPathCheckEntry);

    // The next run reads the stored path and asks nothing.
    ui.messages.clear();
    run();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(process.starts.size(), 2u);
}

TEST_F(FirstRun, CancellingTheDialogEndsQuietly) {
    ui.fileChoices = {std::nullopt};
    run();
    EXPECT_EQ(ui.messages.size(), 1u) << "only the question";
    EXPECT_EQ(log(), kPathCheckEntry);
    EXPECT_FALSE(files.has(kPathFile));
    EXPECT_EQ(registryPath(), "<none>");
    EXPECT_TRUE(process.starts.empty());
    EXPECT_EQ(ui.ended, 1);
}

TEST_F(FirstRun, AChosenFileOfAnotherNameIsNotRememberedSoTheNextRunAsksAgain) {
    files.addFile("\\\\srv\\apps\\notepad.exe");
    ui.fileChoices = {std::string("\\\\srv\\apps\\notepad.exe")};
    run();
    EXPECT_TRUE(process.starts.empty());
    EXPECT_FALSE(files.has(kPathFile));
    EXPECT_EQ(ui.messages.size(), 1u);

    ui.answers = {kAnswerNo, kAnswerOk};
    run();
    EXPECT_EQ(ui.messages.size(), 3u) << "asked again";
}

TEST_F(FirstRun, ADialogThatCannotOpenIsReported) {
    ui.dialogFailure = 20001;
    run();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "20001 Dialog failed");
    EXPECT_NE(log().find(" Path=\r\n Dir=\r\n Dir$=\r\n----> Client 1.4.2 Error"), std::string::npos);
}

TEST_F(FirstRun, ALogThatCannotBeOpenedEndsTheRunBeforeTheQuestion) {
    files.faults().failFrom(FileOp::Append, 1, RunError(kErrPathFileAccess, "Path/File access error"));
    run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "75 Path/File access error");
    EXPECT_TRUE(ui.fileDialogs.empty());
}

}  // namespace
}  // namespace wf::testing
