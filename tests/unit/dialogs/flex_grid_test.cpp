#include <gtest/gtest.h>

#include "installer/dialogs/flex_grid.h"

namespace wf {
namespace {

FlexGrid gridOf(std::vector<std::string> values, int visibleRows) {
    FlexGrid grid(1, 2, 100);
    grid.height = 100 * (visibleRows + 1);
    for (const std::string& value : values) grid.addItem({"", value});
    return grid;
}

TEST(FlexGridTest, TopRowStaysWithinTheScrollableRange) {
    FlexGrid grid = gridOf({"a", "b", "c", "d", "e"}, 2);
    EXPECT_EQ(grid.topRow(), 0) << "rows added after a cut keep the grid unscrolled";
    EXPECT_TRUE(grid.rowIsVisible(2));
    EXPECT_FALSE(grid.rowIsVisible(3));
    grid.setTopRow(5);
    EXPECT_EQ(grid.topRow(), 4);
    EXPECT_TRUE(grid.rowIsVisible(5));
    grid.setTopRow(0);
    EXPECT_EQ(grid.topRow(), 1);
    grid.setRows(3);
    EXPECT_EQ(grid.topRow(), 1);
    grid.setRows(1);
    EXPECT_EQ(grid.topRow(), 0);
    EXPECT_EQ(grid.row(), 0);
}

std::vector<std::string> sortedGenerically(std::vector<std::string> values) {
    FlexGrid grid = gridOf(std::move(values), 5);
    grid.sort(1, GridSort::GenericAscending);
    EXPECT_EQ(grid.textMatrix(0, 1), "") << "the heading row stays in place";
    std::vector<std::string> sorted;
    for (int r = 1; r < grid.rows(); ++r) sorted.push_back(grid.textMatrix(r, 1));
    return sorted;
}

TEST(FlexGridTest, GenericSortOrdersNumbersByValueAndTextsIgnoringCase) {
    EXPECT_EQ(sortedGenerically({"b", "10", "A", "9", "a"}), (std::vector<std::string>{"9", "10", "A", "a", "b"}));
}

TEST(FlexGridTest, GenericSortTakesOnlyPlainDecimalsForNumbers) {
    EXPECT_EQ(sortedGenerically({"NAN", "10", "inf", "0x10", " 5", "9", "-1.5", "1e3", "+.5", "nan", "2."}),
              (std::vector<std::string>{"-1.5", "+.5", "2.", "9", "10", " 5", "0x10", "1e3", "inf", "NAN", "nan"}));
}

}  // namespace
}  // namespace wf
