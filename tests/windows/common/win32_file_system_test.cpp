#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/run_error.h"
#include "tests/doubles/whole_file.h"
#include "tests/windows/support/scratch_folder.h"

namespace wf::win32 {
namespace {

// What only the adapter does; the seam's answers are the shared contract's.
class Win32FileSystemTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return scratch_.path() + "\\" + name; }

    testing::ScratchFolder scratch_{"adapter"};
    Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, ForcedDeleteRemovesAReadOnlyFile) {
    files_.writeAll(path("a.txt"), "x");
    SetFileAttributesA(path("a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(files_.deleteFile(path("a.txt"), false), RunError);
    files_.deleteFile(path("a.txt"), true);
    EXPECT_FALSE(files_.fileExists(path("a.txt")));
}

// When the system's one-call replacement refuses (here: the replacement is held open
// without write sharing), the two renames still put the replacement in place and,
// as the system call does, put the target aside over an earlier backup.
TEST_F(Win32FileSystemTest, ReplacementFallsBackToRenamesWhenTheSystemCallRefuses) {
    files_.writeAll(path("a.txt"), "old");
    files_.writeAll(path("b.txt"), "new");
    files_.writeAll(path("c.txt"), "older");
    HANDLE held = CreateFileA(path("b.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_FALSE(ReplaceFileA(path("a.txt").c_str(), path("b.txt").c_str(), path("c.txt").c_str(), 0, nullptr, nullptr));
    ASSERT_EQ(testing::readWholeFile(files_, path("a.txt")), "old");

    files_.replaceFile(path("a.txt"), path("b.txt"), path("c.txt"));
    CloseHandle(held);
    EXPECT_EQ(testing::readWholeFile(files_, path("a.txt")), "new");
    EXPECT_EQ(testing::readWholeFile(files_, path("c.txt")), "old");
    EXPECT_FALSE(files_.fileExists(path("b.txt")));
}

// The system's SHA-256 by either read (the known answer for "abc"), and a program
// image cut short, which keeps its headers, is no whole program.
TEST_F(Win32FileSystemTest, HashesAreSha256AndAProgramCutShortIsNotWhole) {
    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    files_.writeAll(path("abc.txt"), "abc");
    EXPECT_EQ(files_.fileHash(path("abc.txt")), abc);
    EXPECT_EQ(files_.copyFileHashed(path("abc.txt"), path("copy.txt")), abc);
    EXPECT_EQ(testing::readWholeFile(files_, path("copy.txt")), "abc");

    char self[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    const std::string program = testing::readWholeFile(files_, self);
    files_.writeAll(path("whole.exe"), program);
    files_.writeAll(path("cut.exe"), program.substr(0, program.size() / 2));
    EXPECT_TRUE(files_.isWholeProgram(path("whole.exe")));
    EXPECT_FALSE(files_.isWholeProgram(path("cut.exe")));
    EXPECT_FALSE(files_.isWholeProgram(path("abc.txt")));
}

}  // namespace
}  // namespace wf::win32
