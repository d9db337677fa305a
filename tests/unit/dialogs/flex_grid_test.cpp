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

TEST(FlexGridTest, GenericSortOrdersNumbersByValueAndTextsIgnoringCase) {
    FlexGrid grid = gridOf({"b", "10", "A", "9", "a"}, 5);
    grid.sort(1, GridSort::GenericAscending);
    std::vector<std::string> sorted;
    for (int r = 1; r < grid.rows(); ++r) sorted.push_back(grid.textMatrix(r, 1));
    EXPECT_EQ(sorted, (std::vector<std::string>{"9", "10", "A", "a", "b"}));
    EXPECT_EQ(grid.textMatrix(0, 1), "") << "the heading row stays in place";
}

}  // namespace
}  // namespace wf
