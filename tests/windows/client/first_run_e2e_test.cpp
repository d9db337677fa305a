#include "tests/windows/client/client_e2e_fixture.h"
#include "tests/support/client_messages.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;


bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

using FirstRun = ClientEndToEnd;

TEST_F(FirstRun, AnsweredNoEndsAfterTheNoticeAndStoresNothing) {
    startClient();
    auto question = automation::answerMessageBox(kQuestionTitle, "No", 15s, &trail);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->text, kQuestionText);
    EXPECT_EQ(question->buttons, (std::vector<std::string>{"Yes", "No"}));
    auto notice = automation::answerMessageBox(kQuestionTitle, "OK", 10s, &trail);
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text, kNoticeText);
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(GetFileAttributesA(workstationFile("ServerPath.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(registryPath(), "<none>");
    std::string entry = log();
    EXPECT_EQ(entry.rfind("----> Client 1.4.2 Error ", 0), 0u) << entry;
    EXPECT_TRUE(endsWith(entry, "\r\n Path=\r\n Dir=\r\n Dir$=\r\n")) << entry;
    EXPECT_EQ(entry.find("----> Client", 1), std::string::npos) << entry;
}

TEST_F(FirstRun, AnsweredYesWithTheDialogFilledStoresThePathAndStartsTheServer) {
    std::string server = placeServer(share);
    startClient();
    auto question = automation::waitForWindow(kQuestionTitle, "#32770", 15s);
    ASSERT_TRUE(question.has_value());
    screenshot(question->handle, "question");
    ASSERT_TRUE(automation::answerMessageBox(kQuestionTitle, "Yes", 5s, &trail).has_value());

    auto dialog = automation::waitForWindow(kDialogTitle, "#32770", 15s);
    ASSERT_TRUE(dialog.has_value());
    std::vector<std::string> texts;
    for (const automation::ControlInfo& control : automation::controls(dialog->handle)) texts.push_back(control.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Wrenfold.exe"), texts.end()) << "initial file name";
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Wrenfold for CP (Wrenfold.exe)"), texts.end()) << "filter";
    screenshot(dialog->handle, "dialog");
    ASSERT_TRUE(automation::fillOpenFileDialog(kDialogTitle, server, 5s, &trail).has_value());

    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(readFileText(workstationFile("ServerPath.ini")), server + "\r\n");
    EXPECT_EQ(registryPath(), "<none>");
    auto window = automation::waitForWindow("Wrenfold Server (sample)", {}, 5s);
    if (window) screenshot(window->handle, "started");
}

TEST_F(FirstRun, CancellingTheDialogEndsWithoutMessageOrStoredPath) {
    placeServer(share);
    startClient();
    ASSERT_TRUE(automation::answerMessageBox(kQuestionTitle, "Yes", 15s, &trail).has_value());
    ASSERT_TRUE(automation::cancelOpenFileDialog(kDialogTitle, 15s));
    // A message box would hold the client open: ending proves none was shown.
    ASSERT_TRUE(clientEnds());
    EXPECT_EQ(GetFileAttributesA(workstationFile("ServerPath.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    std::string entry = log();
    EXPECT_EQ(entry.find("----> Client", 1), std::string::npos) << "only the path-check entry: " << entry;
    EXPECT_TRUE(nothingStarted(share));
}

TEST_F(FirstRun, AStalePathFileAsksAgainEvenWithAGoodRegistryValue) {
    std::string server = placeServer(share);
    storePath(share + "\\gone\\Wrenfold.exe");
    storeRegistryPath(server);
    startClient();
    ASSERT_TRUE(automation::answerMessageBox(kQuestionTitle, "No", 15s, &trail).has_value());
    ASSERT_TRUE(automation::answerMessageBox(kQuestionTitle, "OK", 10s, &trail).has_value());
    ASSERT_TRUE(clientEnds());
    EXPECT_NE(log().find(" Path=" + share + "\\gone\\Wrenfold.exe\r\n Dir=\r\n Dir$=\r\n"), std::string::npos) << log();
    EXPECT_TRUE(nothingStarted(share));
}

}  // namespace
}  // namespace wf::testing
