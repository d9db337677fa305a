#include <gtest/gtest.h>

#include <functional>

#include "installer/dialogs/frm_util_lookup_code.h"
#include "tests/doubles/scripted_user_interface.h"

namespace wf {
namespace {

// A user who, while a message box is up, also acts on the window behind it.
class UserBehindTheBox : public testing::ScriptedUserInterface {
public:
    std::function<void()> whileShown = [] {};
    int messageBox(const std::string& text, int style, const std::string& title) override {
        whileShown();
        return ScriptedUserInterface::messageBox(text, style, title);
    }
};

class LookupFormTest : public ::testing::Test {
protected:
    frmUtilLookupCode& open(std::vector<std::string> servers) {
        servers_ = std::move(servers);
        form_.strLookupType = "SQL Server";
        form_.screen = {19200, 14400};
        form_.Form_Load();
        form_.Form_Activate();
        return form_;
    }
    std::vector<std::string> column() const {
        std::vector<std::string> values;
        for (int r = 1; r < form_.MSHFlexGrid1.rows(); ++r) values.push_back(form_.MSHFlexGrid1.textMatrix(r, 1));
        return values;
    }
    int markedRow() const {
        int marked = -1;
        for (int r = 0; r < form_.MSHFlexGrid1.rows(); ++r) {
            if (form_.MSHFlexGrid1.textMatrix(r, 0) == " >") {
                EXPECT_EQ(marked, -1) << "two rows carry the marker";
                marked = r;
            }
        }
        return marked;
    }
    void type(const std::string& text) {
        form_.txtSearch.text = text;
        form_.txtSearch_Change();
    }
    int key(int code) {
        form_.txtSearch_KeyDown(code, 0);
        return code;
    }
    // The grid's own events when the user moves to another row.
    void moveTo(int row) {
        form_.MSHFlexGrid1_LeaveCell();
        form_.MSHFlexGrid1.setRow(row);
        form_.MSHFlexGrid1_RowColChange();
    }
    // A click on the heading row, by default on the value column's heading.
    void clickHeading(float x = 1000) {
        form_.MSHFlexGrid1_MouseDown(1, 0, x, 10);
        form_.MSHFlexGrid1_MouseUp(1, 0, x, 10);
    }

    InstallerState state_;
    UserBehindTheBox ui_;
    std::vector<std::string> servers_;
    int released_ = 0;
    frmUtilLookupCode form_{state_, ui_, [this] { return servers_; }, [this] { ++released_; }};
};

TEST_F(LookupFormTest, LoadListsTheServersSortedWithTheMarkerOnRowOne) {
    state_.dialogs.strLookupResult = "left over";
    open({"delta", "ALPHA", "Charlie"});
    EXPECT_EQ(column(), (std::vector<std::string>{"ALPHA", "Charlie", "delta"}));
    EXPECT_EQ(form_.MSHFlexGrid1.cols(), 2);
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);
    EXPECT_EQ(markedRow(), 1);
    EXPECT_EQ(form_.MSHFlexGrid1.topRow(), 1);
    EXPECT_EQ(form_.window.caption, "SQL Server Lookup");
    EXPECT_EQ(form_.MSHFlexGrid1.textMatrix(0, 1), "Server name");
    EXPECT_EQ(form_.Label1.caption, "Server name");
    EXPECT_EQ(form_.window.focus, &form_.txtSearch);
    EXPECT_EQ(form_.MSHFlexGrid1.colWidth(0), 288);
    EXPECT_EQ(form_.MSHFlexGrid1.colWidth(1), 3456);
    EXPECT_EQ(form_.picSortArrowDn.left, 288 + 3180);
    EXPECT_TRUE(form_.picSortArrowDn.visible);
    EXPECT_FALSE(form_.picSortArrowUp.visible);
    EXPECT_EQ(form_.window.left, (19200 - 6180) / 2);
    EXPECT_EQ(form_.window.top, (14400 - 5860) / 4);
    EXPECT_EQ(state_.dialogs.strLookupResult, "");
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_FALSE(form_.window.unloaded);
}

TEST_F(LookupFormTest, NoServerIsReportedAndTheDialogClosesEmpty) {
    ui_.whileShown = [this] { form_.cmdCancel_Click(); };
    open({""});
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "No SQL servers currently available");
    EXPECT_EQ(ui_.messages[0].style, kOkOnly + kCritical);
    EXPECT_EQ(ui_.messages[0].title, "");
    EXPECT_FALSE(form_.picSortArrowDn.visible);
    EXPECT_TRUE(form_.window.unloaded);
    EXPECT_EQ(released_, 1);
    EXPECT_EQ(state_.dialogs.strLookupResult, "");
}

TEST_F(LookupFormTest, OtherLookupsWithoutDataWarnUnlessAddingIsAllowed) {
    form_.strLookupType = "Item";
    form_.Form_Load();
    form_.Form_Activate();
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "No data to lookup");
    EXPECT_EQ(ui_.messages[0].style, kOkOnly + kExclamation);
    EXPECT_EQ(ui_.messages[0].title, "Lookup");
    EXPECT_TRUE(form_.window.unloaded);

    frmUtilLookupCode allowing{state_, ui_, [] { return std::vector<std::string>{""}; }, [] {}};
    allowing.strLookupType = "SQL Server";
    allowing.bolAllowAddOTF = true;
    allowing.Form_Load();
    allowing.Form_Activate();
    EXPECT_EQ(ui_.messages.size(), 1u);
    EXPECT_FALSE(allowing.window.unloaded);
    EXPECT_FALSE(allowing.picSortArrowDn.visible);
    int down = kKeyDown;
    allowing.txtSearch_KeyDown(down, 0);
    allowing.txtSearch.text = "A";
    allowing.txtSearch_Change();
    EXPECT_EQ(allowing.MSHFlexGrid1.rows(), 1);
}

TEST_F(LookupFormTest, HeadingClicksToggleTheOrderAndTheArrows) {
    open({"b", "C", "a"});
    moveTo(3);
    clickHeading();
    EXPECT_EQ(column(), (std::vector<std::string>{"b", "a", "C"}));  // by character code
    EXPECT_TRUE(form_.picSortArrowUp.visible);
    EXPECT_FALSE(form_.picSortArrowDn.visible);
    EXPECT_EQ(form_.picSortArrowUp.left, form_.picSortArrowDn.left);
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);
    EXPECT_EQ(markedRow(), 1);
    EXPECT_EQ(form_.window.focus, &form_.txtSearch);

    moveTo(2);
    form_.picSortArrowUp_MouseDown(1, 0, 5, 5);
    EXPECT_EQ(column(), (std::vector<std::string>{"C", "a", "b"}));
    EXPECT_TRUE(form_.picSortArrowDn.visible);
    EXPECT_FALSE(form_.picSortArrowUp.visible);
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);

    // The server list has no column right of the values: the whole heading row sorts.
    clickHeading(100);
    EXPECT_EQ(column(), (std::vector<std::string>{"b", "a", "C"})) << "the marker column's heading";
    clickHeading(5000);
    EXPECT_EQ(column(), (std::vector<std::string>{"C", "a", "b"})) << "right of the value column";
}

TEST_F(LookupFormTest, PressesOnDataRowsNeitherSortNorConfirmFromTheHeading) {
    open({"B", "A"});
    form_.MSHFlexGrid1_MouseDown(1, 0, 1000, 300);
    EXPECT_EQ(column(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(form_.picSortArrowDn.visible);

    form_.MSHFlexGrid1_MouseDown(1, 0, 1000, 10);
    form_.MSHFlexGrid1_DblClick();
    EXPECT_FALSE(form_.window.unloaded);

    moveTo(2);
    form_.MSHFlexGrid1_MouseDown(1, 0, 1000, 500);
    form_.MSHFlexGrid1_DblClick();
    EXPECT_TRUE(form_.window.unloaded);
    EXPECT_EQ(state_.dialogs.strLookupResult, "A");
}

TEST_F(LookupFormTest, OtherLookupsSortThroughTheirDataControlByTheValueHeadingOnly) {
    form_.strLookupType = "Item";
    form_.bolAllowAddOTF = true;
    form_.Form_Load();
    form_.Form_Activate();
    form_.MSHFlexGrid1_MouseDown(1, 0, 100, 10);  // marker column
    EXPECT_EQ(form_.Adodc1.recordSetSort, "");
    form_.MSHFlexGrid1_MouseDown(1, 0, 4000, 10);  // beyond the value column
    EXPECT_EQ(form_.Adodc1.recordSetSort, "");
    form_.MSHFlexGrid1_MouseDown(1, 0, 1000, 10);
    EXPECT_EQ(form_.Adodc1.recordSetSort, "Code DESC");
    form_.MSHFlexGrid1_MouseDown(1, 0, 1000, 10);
    EXPECT_EQ(form_.Adodc1.recordSetSort, "Code ASC");
}

TEST_F(LookupFormTest, SearchMovesToThePrefixOrTheLastValueBeforeIt) {
    open({"ALPHA", "CHARLIE", "DELTA"});
    type("c");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 2);
    EXPECT_EQ(markedRow(), 2);
    EXPECT_EQ(form_.MSHFlexGrid1.rowSel(), 2);
    EXPECT_EQ(form_.MSHFlexGrid1.colSel(), 1) << "the server list has no second value column";
    type("BR");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);
    type("Z");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 3);
    type("0");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 3);
    EXPECT_EQ(markedRow(), 3);
}

TEST_F(LookupFormTest, SearchInDescendingOrderScansFromTheLastRow) {
    open({"ALPHA", "CHARLIE", "DELTA"});
    clickHeading();
    ASSERT_EQ(column(), (std::vector<std::string>{"DELTA", "CHARLIE", "ALPHA"}));
    type("ch");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 2);
    type("B");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 3);
}

TEST_F(LookupFormTest, SearchScrollsToFarRowsAndClearingReturnsToTheTop) {
    std::vector<std::string> many;
    for (char c = 'A'; c <= 'Z'; ++c) many.push_back(std::string(1, c) + "SERVER");
    open(many);
    type("x");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 24);
    EXPECT_TRUE(form_.MSHFlexGrid1.rowIsVisible(24));
    EXPECT_GT(form_.MSHFlexGrid1.topRow(), 1);
    type("");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);
    EXPECT_EQ(form_.MSHFlexGrid1.topRow(), 1);
    EXPECT_EQ(markedRow(), 1);
}

TEST_F(LookupFormTest, ArrowKeysMoveTheMarkerWithinTheList) {
    open({"A", "B"});
    EXPECT_NE(key(kKeyUp), 0) << "on row 1 the key belongs to the search box";
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);
    EXPECT_EQ(key(kKeyDown), 0);
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 2);
    EXPECT_EQ(markedRow(), 2);
    EXPECT_EQ(key(kKeyDown), 0);
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 2);
    EXPECT_EQ(markedRow(), 2);
    EXPECT_EQ(key(kKeyUp), 0);
    EXPECT_EQ(markedRow(), 1);
    EXPECT_EQ(key('A'), 'A');
}

TEST_F(LookupFormTest, ScrollingStopsWhenTheGridShowsNoRow) {
    open({"A", "B", "C", "D"});
    form_.MSHFlexGrid1.height = 100;
    EXPECT_EQ(key(kKeyDown), 0);
    EXPECT_EQ(key(kKeyDown), 0);
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 3);
    EXPECT_FALSE(form_.MSHFlexGrid1.rowIsVisible(3));
    type("");
    EXPECT_EQ(form_.MSHFlexGrid1.row(), 1);
}

TEST_F(LookupFormTest, EnterConfirmsTheTrimmedValueAndEscapeCancelsInBoxAndGrid) {
    open({"  SPACED\\SQL  ", "OTHER"});
    key(kKeyReturn);
    EXPECT_EQ(state_.dialogs.strLookupResult, "SPACED\\SQL");
    EXPECT_TRUE(form_.window.unloaded);
    EXPECT_EQ(released_, 1);

    for (int key : {kKeyReturn, kKeyEscape}) {
        frmUtilLookupCode grid{state_, ui_, [] { return std::vector<std::string>{"X"}; }, [] {}};
        grid.strLookupType = "SQL Server";
        grid.Form_Load();
        grid.MSHFlexGrid1_KeyDown(key, 0);
        EXPECT_TRUE(grid.window.unloaded);
        EXPECT_EQ(state_.dialogs.strLookupResult, key == kKeyReturn ? "X" : "");
    }
}

TEST_F(LookupFormTest, CloseBoxLeavesTheResultEmptyAndRecursiveFormsStay) {
    open({"A"});
    form_.window.tag = "Recursive";
    form_.Form_Close();
    EXPECT_TRUE(form_.window.unloaded);
    EXPECT_EQ(state_.dialogs.strLookupResult, "");
    EXPECT_EQ(released_, 0);
}

TEST_F(LookupFormTest, ResizeGivesTheGridTheExtraHeightAndMovesTheRowsBelow) {
    open({"A"});
    form_.window.height = 5860 + 1000;
    form_.Form_Resize();
    EXPECT_EQ(form_.MSHFlexGrid1.height, 5095);
    EXPECT_EQ(form_.Label1.top, 5800);
    EXPECT_EQ(form_.txtSearch.top, 5800);
    EXPECT_EQ(form_.cmdAddNew.top, 5390);
    EXPECT_EQ(form_.cmdOK.top, 5760);
    EXPECT_EQ(form_.cmdCancel.top, 5760);
    EXPECT_EQ(form_.lblFilterOn.top, 5455);
    EXPECT_EQ(form_.picFilterOn.top, 5440);
    EXPECT_EQ(form_.cmdOK.left, 3600);

    form_.window.height = 2265;
    form_.Form_Resize();
    EXPECT_EQ(form_.MSHFlexGrid1.height, 5095);
    form_.window.height = 2266;
    form_.Form_Resize();
    EXPECT_EQ(form_.MSHFlexGrid1.height, 501);
}

}  // namespace
}  // namespace wf
