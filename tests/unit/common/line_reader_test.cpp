#include "common/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace wf {
namespace {

std::vector<std::string> allLines(std::string text) {
    LineReader reader(std::move(text));
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

}  // namespace
}  // namespace wf
