#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/log_appender.h"
#include "common/run_error.h"

namespace wf::win32 {
namespace {

// A scratch folder of its own under the temporary folder, removed afterwards.
class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "wf_files_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"a.txt", "b.txt", "c.txt", "hidden.txt", "ErrorLog.txt"}) {
            std::string path = folder_ + "\\" + std::string(name);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA((folder_ + "\\sub").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string path(const std::string& name) const { return folder_ + "\\" + name; }

    Win32FileSystem files_;
    std::string folder_;
};

TEST_F(Win32FileSystemTest, DirectoryLookupListsOnlyNormalFiles) {
    files_.writeAll(path("a.txt"), "x");
    files_.writeAll(path("hidden.txt"), "x");
    SetFileAttributesA(path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA(path("sub").c_str(), nullptr);
    EXPECT_EQ(files_.findFile(path("a.txt")), "a.txt");
    EXPECT_EQ(files_.findFile(path("hidden.txt")), "");
    EXPECT_EQ(files_.findFile(path("sub")), "");
    EXPECT_EQ(files_.findFile(path("missing.txt")), "");
    EXPECT_EQ(files_.findFile(folder_ + "\\nofolder\\a.txt"), "");
    EXPECT_NE(files_.attributes(path("hidden.txt")) & kAttrHidden, 0u);
    EXPECT_NE(files_.attributes(path("sub")) & kAttrDirectory, 0u);
}

TEST_F(Win32FileSystemTest, MissingFilesRaiseFileNotFound) {
    try {
        files_.attributes(path("missing.txt"));
        FAIL() << "no failure";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), kErrFileNotFound);
    }
    try {
        files_.readAll(path("missing.txt"));
        FAIL() << "no failure";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), kErrFileNotFound);
    }
}

TEST_F(Win32FileSystemTest, AppendCreatesAndNeverTruncates) {
    appendLogEntry(files_, path("ErrorLog.txt"), {"one"});
    appendLogEntry(files_, path("ErrorLog.txt"), {"two", "three"});
    EXPECT_EQ(files_.readAll(path("ErrorLog.txt")), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(Win32FileSystemTest, MoveRefusesAnExistingTargetAndCopyOverwrites) {
    files_.writeAll(path("a.txt"), "first");
    files_.writeAll(path("b.txt"), "second");
    try {
        files_.moveFile(path("a.txt"), path("b.txt"));
        FAIL() << "no failure";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), kErrFileAlreadyExists);
    }
    files_.copyFile(path("a.txt"), path("b.txt"), true);
    EXPECT_EQ(files_.readAll(path("b.txt")), "first");
    files_.deleteFile(path("b.txt"), false);
    files_.moveFile(path("a.txt"), path("b.txt"));
    EXPECT_FALSE(files_.fileExists(path("a.txt")));
    EXPECT_TRUE(files_.fileExists(path("b.txt")));
}

TEST_F(Win32FileSystemTest, ForcedDeleteRemovesAReadOnlyFile) {
    files_.writeAll(path("a.txt"), "x");
    SetFileAttributesA(path("a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(files_.deleteFile(path("a.txt"), false), RunError);
    files_.deleteFile(path("a.txt"), true);
    EXPECT_FALSE(files_.fileExists(path("a.txt")));
}

TEST_F(Win32FileSystemTest, VersionTextOfAFileWithoutResourceIsEmpty) {
    files_.writeAll(path("a.txt"), "x");
    EXPECT_EQ(files_.versionText(path("a.txt")), "");
    EXPECT_EQ(files_.versionText(path("missing.txt")), "");
}

// When the system's one-call replacement refuses (here: the replacement is held open
// without write sharing), the two renames still put the replacement in place.
TEST_F(Win32FileSystemTest, ReplacementFallsBackToRenamesWhenTheSystemCallRefuses) {
    files_.writeAll(path("a.txt"), "old");
    files_.writeAll(path("b.txt"), "new");
    HANDLE held = CreateFileA(path("b.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_FALSE(ReplaceFileA(path("a.txt").c_str(), path("b.txt").c_str(), path("c.txt").c_str(), 0, nullptr, nullptr));
    ASSERT_EQ(files_.readAll(path("a.txt")), "old");

    files_.replaceFile(path("a.txt"), path("b.txt"), path("c.txt"));
    CloseHandle(held);
    EXPECT_EQ(files_.readAll(path("a.txt")), "new");
    EXPECT_EQ(files_.readAll(path("c.txt")), "old");
    EXPECT_FALSE(files_.fileExists(path("b.txt")));
}

}  // namespace
}  // namespace wf::win32
