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

// Database files run to gigabytes: the copy is made in pieces, each of which must
// land in its place; the copy keeps the source's read-only mark and time of change.
TEST_F(Win32FileSystemTest, CopyArrivesWholeWithTheSourcesMarkAndTime) {
    std::string bytes(40u << 20, '\0');
    for (std::size_t index = 0; index < bytes.size(); index += 4096) {
        bytes[index] = static_cast<char>(index >> 12);
        bytes[index + 1] = static_cast<char>(index >> 20);
    }
    files_.writeAll(path("big.mdf"), bytes + "end");
    files_.writeAll(path("empty.ldf"), "");
    SetFileAttributesA(path("empty.ldf").c_str(), FILE_ATTRIBUTE_READONLY);
    files_.copyFile(path("big.mdf"), path("copy.mdf"), false);
    files_.copyFile(path("empty.ldf"), path("copy.ldf"), false);
    EXPECT_TRUE(testing::readWholeFile(files_, path("copy.mdf")) == bytes + "end") << "the large copy differs";
    EXPECT_EQ(testing::readWholeFile(files_, path("copy.ldf")), "");
    EXPECT_EQ(files_.attributes(path("copy.ldf")) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));

    WIN32_FILE_ATTRIBUTE_DATA source{}, copy{};
    GetFileAttributesExA(path("big.mdf").c_str(), GetFileExInfoStandard, &source);
    GetFileAttributesExA(path("copy.mdf").c_str(), GetFileExInfoStandard, &copy);
    EXPECT_EQ(CompareFileTime(&source.ftLastWriteTime, &copy.ftLastWriteTime), 0);
}

}  // namespace
}  // namespace wf::win32
