// How the file services answer at their seam: error numbers and texts, names
// compared without regard to case, the lookup's patterns, attributes and bytes.
// Runs on the in-memory file system and on the real one, so that the two are known
// to agree. Read-only rules are left to the in-memory one's own tests: the real
// one ignores them when the tests run with full rights.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/run_error.h"
#include "tests/doubles/whole_file.h"
#include "tests/unit/common/file_system_target.h"

namespace wf::testing {
namespace {

class FileSystemContractTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return target_->folder() + "\\" + name; }
    FileSystem& files() { return target_->files(); }
    // "number description" of what a call raised, "ran through" when it did not.
    template <class Call>
    static std::string raised(Call&& call) {
        try {
            call();
            return "ran through";
        } catch (const RunError& error) {
            return std::to_string(error.number()) + " " + error.description();
        }
    }

    std::unique_ptr<FileSystemTarget> target_ = makeFileSystemTarget();
};

TEST_F(FileSystemContractTest, MissingFilesAndFoldersAnswerWithTheirOwnErrors) {
    const std::string missing = path("missing.txt");
    const std::string inMissingFolder = path("nofolder\\a.txt");
    EXPECT_EQ(raised([&] { files().attributes(missing); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().attributes(inMissingFolder); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().openForReading(missing); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().openForReading(inMissingFolder); }), "76 Path not found");
    EXPECT_EQ(raised([&] { files().deleteFile(missing, false); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().deleteFile(inMissingFolder, true); }), "76 Path not found");
    EXPECT_EQ(raised([&] { files().moveFile(missing, path("b.txt"), false); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().copyFile(missing, path("b.txt"), true, {}); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().moveFile(inMissingFolder, path("b.txt"), false); }), "76 Path not found");
    EXPECT_EQ(raised([&] { files().copyFile(inMissingFolder, path("b.txt"), true, {}); }), "76 Path not found");
    EXPECT_EQ(raised([&] { files().writeAll(inMissingFolder, "x"); }), "76 Path not found");
    EXPECT_EQ(raised([&] { files().append(inMissingFolder, "x"); }), "76 Path not found");
    files().writeAll(path("a.txt"), "a");
    EXPECT_EQ(raised([&] { files().copyFile(path("a.txt"), inMissingFolder, true, {}); }), "76 Path not found");
    EXPECT_EQ(raised([&] { files().moveFile(path("a.txt"), inMissingFolder, false); }), "76 Path not found");
    EXPECT_FALSE(files().fileExists(missing));
    EXPECT_EQ(files().findFile(missing), "");
    EXPECT_EQ(files().findFile(inMissingFolder), "");
    EXPECT_EQ(raised([&] { files().listFolder(path("nofolder")); }), "76 Path not found");
    EXPECT_EQ(files().versionText(missing), "");
    EXPECT_EQ(files().versionText(path("a.txt")), "") << "a file without a version resource";
    EXPECT_EQ(files().fileSize(missing), 0u);
    EXPECT_EQ(files().fileSize(path("a.txt")), 1u);
}

TEST_F(FileSystemContractTest, CopyAndMoveKeepAnExistingTargetUnlessTold) {
    files().writeAll(path("a.txt"), "first");
    files().writeAll(path("b.txt"), "second");
    EXPECT_EQ(raised([&] { files().copyFile(path("a.txt"), path("b.txt"), false, {}); }), "58 File already exists");
    EXPECT_EQ(readWholeFile(files(), path("b.txt")), "second");
    EXPECT_EQ(raised([&] { files().moveFile(path("a.txt"), path("B.TXT"), false); }), "58 File already exists");
    EXPECT_EQ(readWholeFile(files(), path("a.txt")), "first");
    files().copyFile(path("a.txt"), path("b.txt"), true, {});
    EXPECT_EQ(readWholeFile(files(), path("b.txt")), "first");
    files().moveFile(path("a.txt"), path("c.txt"), false);
    EXPECT_FALSE(files().fileExists(path("a.txt")));
    EXPECT_EQ(readWholeFile(files(), path("c.txt")), "first");
    files().moveFile(path("c.txt"), path("C.TXT"), false);
    EXPECT_EQ(readWholeFile(files(), path("c.txt")), "first") << "a rename may change only the case";
    files().writeAll(path("d.txt"), "replacing");
    files().moveFile(path("d.txt"), path("C.txt"), true);
    EXPECT_FALSE(files().fileExists(path("d.txt")));
    EXPECT_EQ(readWholeFile(files(), path("c.txt")), "replacing") << "told to, a rename replaces the target";
}

TEST_F(FileSystemContractTest, ACopyTellsHowFarItHasComeAndLeavesNothingWhenStopped) {
    std::string bytes;
    for (int index = 0; index < 2 * 1024 * 1024 + 5; ++index) bytes += static_cast<char>(index * 13 + index / 4096);
    files().writeAll(path("big.bin"), bytes);
    using Report = std::pair<std::uint64_t, std::uint64_t>;
    std::vector<Report> reports;
    const CopyProgress record = [&](std::uint64_t copied, std::uint64_t total) {
        reports.emplace_back(copied, total);
        return true;
    };
    files().copyFile(path("big.bin"), path("copy.bin"), false, record);
    EXPECT_EQ(readWholeFile(files(), path("copy.bin")), bytes);
    ASSERT_GE(reports.size(), 3u) << "a report after each piece";
    for (std::size_t index = 0; index < reports.size(); ++index) {
        EXPECT_EQ(reports[index].second, bytes.size());
        if (index > 0) {
            EXPECT_GT(reports[index].first, reports[index - 1].first) << index;
        }
    }
    EXPECT_EQ(reports.back().first, bytes.size()) << "the last report is the whole file";

    files().writeAll(path("empty.bin"), "");
    reports.clear();
    files().copyFile(path("empty.bin"), path("empty copy.bin"), false, record);
    EXPECT_EQ(reports, std::vector<Report>{Report(0, 0)}) << "an empty file is reported once";

    int asked = 0;
    const CopyProgress stop = [&](std::uint64_t, std::uint64_t) {
        ++asked;
        return false;
    };
    EXPECT_EQ(raised([&] { files().copyFile(path("big.bin"), path("stopped.bin"), false, stop); }),
              "18 User interrupt occurred");
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(files().fileExists(path("stopped.bin"))) << "the piece written is removed";
    asked = 0;
    EXPECT_EQ(raised([&] { files().copyFile(path("big.bin"), path("copy.bin"), true, stop); }),
              "18 User interrupt occurred");
    EXPECT_FALSE(files().fileExists(path("copy.bin"))) << "a stopped copy over a file removes that file too";

    EXPECT_EQ(raised([&] { files().copyFile(path("missing.bin"), path("x.bin"), true, record); }), "53 File not found");
    EXPECT_EQ(raised([&] { files().copyFile(path("big.bin"), path("nofolder\\x.bin"), true, record); }),
              "76 Path not found");
    EXPECT_EQ(raised([&] { files().copyFile(path("big.bin"), path("empty.bin"), false, record); }),
              "58 File already exists");
    EXPECT_EQ(readWholeFile(files(), path("empty.bin")), "") << "a refused copy leaves the target as it was";
}

TEST_F(FileSystemContractTest, AFileIsReadAPieceAtATimeWhileOthersMayStillWriteIt) {
    std::string bytes;
    for (int index = 0; index < 3 * 65536 + 5; ++index) bytes += static_cast<char>(index * 7 + index / 256);
    files().writeAll(path("big.bin"), bytes);
    std::vector<char> piece(65536);
    std::unique_ptr<FileReader> file = files().openForReading(path("BIG.bin"));
    std::vector<std::size_t> counts;
    std::string read;
    while (std::size_t count = file->read(piece.data(), piece.size())) {
        counts.push_back(count);
        read.append(piece.data(), count);
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{65536, 65536, 65536, 5}));
    EXPECT_EQ(read, bytes);

    files().writeAll(path("log.txt"), "");
    std::unique_ptr<FileReader> log = files().openForReading(path("log.txt"));
    EXPECT_EQ(log->read(piece.data(), piece.size()), 0u) << "an empty file ends at once";
    EXPECT_EQ(raised([&] { files().append(path("log.txt"), "entry\r\n"); }), "ran through");
}

TEST_F(FileSystemContractTest, ReplacementPutsTheTargetAsideUnderTheBackupName) {
    files().writeAll(path("target.exe"), "old");
    files().writeAll(path("target.new"), "new");
    files().replaceFile(path("target.exe"), path("target.new"), path("target.bak"));
    EXPECT_EQ(readWholeFile(files(), path("target.exe")), "new");
    EXPECT_EQ(readWholeFile(files(), path("target.bak")), "old");
    EXPECT_FALSE(files().fileExists(path("target.new")));

    files().writeAll(path("target.new"), "newer");
    files().replaceFile(path("target.exe"), path("target.new"), path("TARGET.bak"));
    EXPECT_EQ(readWholeFile(files(), path("target.exe")), "newer");
    EXPECT_EQ(readWholeFile(files(), path("target.bak")), "new") << "an earlier backup is replaced";
    EXPECT_FALSE(files().fileExists(path("target.new")));
    files().writeAll(path("target.new"), "newest");
    EXPECT_EQ(raised([&] { files().replaceFile(path("missing.exe"), path("target.new"), path("other.bak")); }),
              "53 File not found");
    EXPECT_EQ(raised([&] { files().replaceFile(path("target.exe"), path("missing.new"), path("other.bak")); }),
              "53 File not found");
    EXPECT_EQ(readWholeFile(files(), path("target.exe")), "newer");
    EXPECT_EQ(readWholeFile(files(), path("target.new")), "newest");
    EXPECT_FALSE(files().fileExists(path("other.bak")));
}

TEST_F(FileSystemContractTest, NamesMatchWithoutRegardToCaseAndTheLookupSeesOnlyNormalFiles) {
    files().writeAll(path("Mixed.TXT"), "m");
    EXPECT_TRUE(files().fileExists(path("mixed.txt")));
    EXPECT_EQ(readWholeFile(files(), path("MIXED.txt")), "m");
    EXPECT_EQ(files().findFile(path("mixed.txt")), "Mixed.TXT") << "the name as it was written";
    EXPECT_EQ(files().findFile(path("*.txt")), "Mixed.TXT");
    EXPECT_EQ(files().findFile(path("mi?ed.*")), "Mixed.TXT");
    EXPECT_EQ(files().findFile(path("mi?.txt")), "");
    files().writeAll(path("noext"), "n");
    files().deleteFile(path("MIXED.TXT"), false);
    EXPECT_EQ(files().findFile(path("*")), "noext");
    EXPECT_EQ(files().findFile(path("*.*")), "noext") << "a name without a dot matches *.*";
    EXPECT_EQ(files().findFile(path("NoExt.*")), "noext");

    files().writeAll(path("hidden.txt"), "h");
    target_->setAttributes(path("hidden.txt"), kAttrHidden);
    target_->makeFolder(path("sub.txt"));
    EXPECT_EQ(files().findFile(path("*.txt")), "");
    EXPECT_EQ(files().findFile(path("hidden.txt")), "");
    EXPECT_EQ(files().findFile(path("sub.txt")), "");
    EXPECT_EQ(files().attributes(path("hidden.txt")) & (kAttrHidden | kAttrDirectory), kAttrHidden);
    EXPECT_EQ(files().attributes(path("sub.txt")), static_cast<std::uint32_t>(kAttrDirectory));
    EXPECT_EQ(files().attributes(path("noext")), static_cast<std::uint32_t>(kAttrArchive)) << "a new file";
    EXPECT_FALSE(files().fileExists(path("sub.txt"))) << "a folder is no file";

    std::vector<std::string> listed = files().listFolder(target_->folder());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"hidden.txt", "noext", "sub.txt"}))
        << "the listing shows every entry, folders and hidden files too, by the names written";
    EXPECT_EQ(files().listFolder(path("SUB.txt\\")), std::vector<std::string>{});
}

TEST_F(FileSystemContractTest, BytesGoInAndOutUnchanged) {
    std::string bytes;
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
    bytes += "\r\n\n\r\x1a";
    files().writeAll(path("data.bin"), bytes);
    EXPECT_EQ(readWholeFile(files(), path("data.bin")), bytes);
    files().writeAll(path("data.bin"), "short");
    EXPECT_EQ(readWholeFile(files(), path("data.bin")), "short") << "a write replaces the whole content";

    files().append(path("log.txt"), "one\r\n");
    files().append(path("LOG.txt"), std::string("two\0\r\n", 6));
    EXPECT_EQ(readWholeFile(files(), path("log.txt")), std::string("one\r\ntwo\0\r\n", 11)) << "append creates, then adds";
}

}  // namespace
}  // namespace wf::testing
