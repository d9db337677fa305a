#include "common/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/doubles/memory_file_system.h"

namespace wf::testing {
namespace {

constexpr const char* kPath = "C:\\Lines.txt";

std::vector<std::string> allLines(std::string text) {
    MemoryFileSystem files;
    files.addFile(kPath, std::move(text));
    LineReader reader = openLines(files, kPath);
    std::vector<std::string> lines;
    while (auto line = reader.next()) lines.push_back(*line);
    return lines;
}

TEST(LineReader, EndsLinesAtCrLfAndLoneCrButNotLoneLf) {
    EXPECT_EQ(allLines("one\r\ntwo\rthree\nstill three\r\n"),
              (std::vector<std::string>{"one", "two", "three\nstill three"}));
}

TEST(LineReader, KeepsEmptyLinesAndALastLineWithoutEnd) {
    EXPECT_EQ(allLines("\r\n\r\nlast"), (std::vector<std::string>{"", "", "last"}));
}

TEST(LineReader, EmptyTextHasNoLine) {
    EXPECT_TRUE(allLines("").empty());
}

TEST(LineReader, TakesBlanksAsTheyStand) {
    EXPECT_EQ(allLines("  \\\\srv\\Wrenfold.exe  \r\n"), (std::vector<std::string>{"  \\\\srv\\Wrenfold.exe  "}));
}

TEST(LineReader, LinesRunOnAcrossTheEdgeOfAPieceReadFromTheFile) {
    const std::string head(LineReader::kPieceSize - 1, 'a');
    EXPECT_EQ(allLines(head + "\r\n\r\nlast"), (std::vector<std::string>{head, "", "last"})) << "CR | LF";
    EXPECT_EQ(allLines(head + "\rnext"), (std::vector<std::string>{head, "next"})) << "lone CR | next";
    EXPECT_EQ(allLines(head + "\r"), (std::vector<std::string>{head})) << "lone CR | end of file";
    EXPECT_EQ(allLines(head + "bc\r\n"), (std::vector<std::string>{head + "bc"})) << "a line across the edge";
}

TEST(LineReader, ReadsOnlyThePiecesItNeedsAndRaisesWhenTheFileCannotBeReadFurther) {
    MemoryFileSystem files;
    files.addFile(kPath, "first\r\n" + std::string(2 * LineReader::kPieceSize, 'b') + "\r\nlast\r\n");
    LineReader reader = openLines(files, kPath);
    EXPECT_EQ(reader.next(), "first");
    EXPECT_EQ(files.faults().calls(FileOp::Read), 1);
    files.faults().failNth(FileOp::Read, 2, RunError(kErrPermissionDenied, "Permission denied"));
    EXPECT_THROW(reader.next(), RunError);
}

TEST(LineReader, ALineBeyondTheLimitRaisesARunErrorNamingTheFile) {
    const std::string longest(LineReader::kLineLengthLimit, 'x');
    EXPECT_EQ(allLines(longest + "\r\nnext"), (std::vector<std::string>{longest, "next"}));
    for (const std::string& text : {longest + "y", longest + "\ny\r\n"}) {
        try {
            allLines(text);
            ADD_FAILURE() << "read a line of " << text.size() << " characters";
        } catch (const RunError& failure) {
            EXPECT_NE(failure.description().find(kPath), std::string::npos) << failure.description();
        }
    }
}

}  // namespace
}  // namespace wf::testing
