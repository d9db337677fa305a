#include "installer/dialogs/frm_util_lookup_code.h"

#include <cctype>
#include <cmath>
#include <utility>

#include "common/run_error.h"
#include "common/text.h"

namespace wf {
namespace {

const char kServerLookupType[] = "SQL Server";
constexpr int kRowHeight = 240;
// Window height that the design layout below fills; a taller window gives the
// grid the difference.
constexpr int kLayoutHeight = 5460 + 400;

Control placed(int left, int top, int width, int height, bool visible = true) {
    Control control;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.visible = visible;
    return control;
}

template <class T>
T withCaption(const Control& place, const std::string& caption) {
    T control;
    static_cast<Control&>(control) = place;
    control.caption = caption;
    return control;
}

std::string upperPrefix(const std::string& text, std::size_t length) {
    std::string prefix = text.substr(0, length);
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return prefix;
}

}  // namespace

frmUtilLookupCode::frmUtilLookupCode(InstallerState& state, UserInterface& ui, ServerListSource serverList,
                                     std::function<void()> releaseSharedInstance)
    : MSHFlexGrid1(1, 3, kRowHeight),
      state_(state),
      ui_(ui),
      serverList_(std::move(serverList)),
      releaseSharedInstance_(std::move(releaseSharedInstance)) {
    window.caption = "Lookup";
    window.width = kDesignWidth;
    window.height = kDesignHeight;
    static_cast<Control&>(MSHFlexGrid1) = placed(120, 120, 5760, kGridHeight);
    static_cast<Control&>(cmdAddNew) = placed(120, 4390, 1575, 315, false);
    cmdAddNew.caption = "Add new / &Filter";
    static_cast<Control&>(picFilterOn) = placed(1800, 4440, 240, 240, false);
    lblFilterOn = withCaption<Label>(placed(2100, 4455, 900, 255, false), "Filtered");
    Label1 = withCaption<Label>(placed(120, 4800, 1215, 255), "Code");
    static_cast<Control&>(txtSearch) = placed(1395, 4800, 2055, 315);
    cmdOK = withCaption<CommandButton>(placed(3600, 4760, 1095, 375), "&OK");
    cmdCancel = withCaption<CommandButton>(placed(4785, 4760, 1095, 375), "&Cancel");
    static_cast<Control&>(picSortArrowDn) = placed(0, 150, 195, 195);
    static_cast<Control&>(picSortArrowUp) = placed(0, 150, 195, 195, false);
}

void frmUtilLookupCode::Form_Load() {
    if (strLookupType == kServerLookupType) {
        bolServerLookup = true;
        MSHFlexGrid1.setCols(2);
        std::vector<std::string> servers = serverList_();
        if (!servers.empty() && !servers[0].empty()) {
            MSHFlexGrid1.clear();
            for (const std::string& server : servers) MSHFlexGrid1.addItem({"", server});
        } else {
            MSHFlexGrid1.setRows(1);
        }
    }

    window.left = (screen.width - window.width) / 2;
    window.top = (screen.height - window.height) / 4;

    if (MSHFlexGrid1.rows() > 1 && MSHFlexGrid1.topRow() == 0) {
        // The grid takes a new top row only while it has room for none.
        int height = MSHFlexGrid1.height;
        MSHFlexGrid1.height = 100;
        MSHFlexGrid1.setTopRow(1);
        MSHFlexGrid1.height = height;
    }

    ignoreFailure([&] {
        MSHFlexGrid1.setColWidth(0, static_cast<int>(std::lround(MSHFlexGrid1.width * 0.05)));
        MSHFlexGrid1.setColWidth(1, static_cast<int>(std::lround(MSHFlexGrid1.width * 0.6)));
        picSortArrowDn.left = static_cast<int>(std::lround(MSHFlexGrid1.colWidth(0) + 0.92 * MSHFlexGrid1.colWidth(1)));
    });

    ignoreFailure([&] { MSHFlexGrid1.setRow(1); });
    ignoreFailure([&] { MSHFlexGrid1.setCol(1); });
    ignoreFailure([&] { MSHFlexGrid1.sort(1, GridSort::GenericAscending); });
    ignoreFailure([&] { MSHFlexGrid1.setColSel(1); });
    intSortCol = 1;
    strSortOrder = "ASC";
    showRowMarker();
    state_.dialogs.strLookupResult.clear();
}

void frmUtilLookupCode::Form_Activate() {
    window.focus = &txtSearch;
    ShowHeadings();
    if (MSHFlexGrid1.rows() != 1) return;
    picSortArrowDn.visible = false;
    picSortArrowUp.visible = false;
    if (bolAllowAddOTF) return;
    if (strLookupType == kServerLookupType) {
        ui_.messageBox("No SQL servers currently available", kOkOnly + kCritical, "");
    } else {
        ui_.messageBox("No data to lookup", kOkOnly + kExclamation, "Lookup");
    }
    cmdCancel_Click();
}

void frmUtilLookupCode::ShowHeadings() {
    window.caption = strLookupType + " Lookup";
    strHeading = "Server name";
    ignoreFailure([&] { MSHFlexGrid1.setTextMatrix(0, 1, strHeading); });
    Label1.caption = strHeading;
}

void frmUtilLookupCode::Form_Resize() {
    int d = window.height - kLayoutHeight;
    if (d + kGridHeight <= 500) return;
    MSHFlexGrid1.height = d + kGridHeight;
    Label1.top = d + 4800;
    txtSearch.top = Label1.top;
    cmdAddNew.top = d + 4390;
    cmdOK.top = d + 4760;
    cmdCancel.top = cmdOK.top;
    lblFilterOn.top = d + 4455;
    picFilterOn.top = d + 4440;
}

void frmUtilLookupCode::Form_Close() { unload(); }

void frmUtilLookupCode::unload() {
    // A handler that unloads after another has already done so (the empty-list
    // message's cancel) must not release the shared instance a second time.
    if (window.unloaded) return;
    window.unloaded = true;
    Form_Unload();
}

void frmUtilLookupCode::Form_Unload() {
    if (window.tag != "Recursive") releaseSharedInstance_();
}

void frmUtilLookupCode::cmdOK_Click() {
    state_.dialogs.strLookupResult = trimBlanks(MSHFlexGrid1.textMatrix(MSHFlexGrid1.row(), 1));
    unload();
}

void frmUtilLookupCode::cmdCancel_Click() { unload(); }

void frmUtilLookupCode::MSHFlexGrid1_LeaveCell() {
    ignoreFailure([&] { MSHFlexGrid1.setCol(0); });
    ignoreFailure([&] { MSHFlexGrid1.setText(""); });
    ignoreFailure([&] { MSHFlexGrid1.setCol(1); });
}

void frmUtilLookupCode::MSHFlexGrid1_RowColChange() { showRowMarker(); }

void frmUtilLookupCode::showRowMarker() {
    ignoreFailure([&] { MSHFlexGrid1.setCol(0); });
    ignoreFailure([&] { MSHFlexGrid1.setText(" >"); });
    ignoreFailure([&] { MSHFlexGrid1.setCol(1); });
    ignoreFailure([&] { MSHFlexGrid1.setColSel(2); });
    ignoreFailure([&] { scrollUntilVisible(MSHFlexGrid1.row()); });
}

void frmUtilLookupCode::scrollUntilVisible(int row) {
    int step = row < MSHFlexGrid1.topRow() ? -1 : 1;
    while (!MSHFlexGrid1.rowIsVisible(row)) {
        int before = MSHFlexGrid1.topRow();
        MSHFlexGrid1.setTopRow(before + step);
        if (MSHFlexGrid1.topRow() == before) return;
    }
}

bool frmUtilLookupCode::pressedOnDataRow(float y) const { return y >= MSHFlexGrid1.rowHeight(0); }

void frmUtilLookupCode::MSHFlexGrid1_MouseDown(int, int, float x, float y) {
    sngMouseDownY = y;
    if (pressedOnDataRow(y)) return;
    bool onValueHeading = true;
    // Both edges are asked for before either is compared: without a third column the
    // right edge cannot be had, and the press then counts wherever it lies in the
    // heading row, the marker column's heading included.
    ignoreFailure([&] {
        int valueLeft = MSHFlexGrid1.colPos(1);
        int nextLeft = MSHFlexGrid1.colPos(2);
        onValueHeading = x > valueLeft && x < nextLeft;
    });
    if (!onValueHeading) return;

    if (intSortCol == 1) {
        bool ascending = strSortOrder != "ASC";
        strSortOrder = ascending ? "ASC" : "DESC";
        picSortArrowDn.visible = ascending;
        picSortArrowUp.visible = !ascending;
    }
    placeSortArrows();
    if (bolServerLookup) {
        MSHFlexGrid1_LeaveCell();
        ignoreFailure([&] {
            MSHFlexGrid1.sort(1, strSortOrder == "ASC" ? GridSort::StringAscending : GridSort::StringDescending);
        });
    } else {
        Adodc1.recordSetSort = "Code " + strSortOrder;
    }
    ignoreFailure([&] { MSHFlexGrid1.setRow(1); });
    intSortCol = 1;
}

void frmUtilLookupCode::placeSortArrows() {
    ignoreFailure([&] {
        picSortArrowDn.left = static_cast<int>(std::lround(MSHFlexGrid1.colWidth(0) + 0.92 * MSHFlexGrid1.colWidth(1)));
    });
    picSortArrowUp.left = picSortArrowDn.left;
}

void frmUtilLookupCode::picSortArrowDn_MouseDown(int button, int shift, float x, float y) {
    MSHFlexGrid1_MouseDown(button, shift, static_cast<float>(picSortArrowDn.left - MSHFlexGrid1.left) + x,
                           static_cast<float>(picSortArrowDn.top - MSHFlexGrid1.top) + y);
}

void frmUtilLookupCode::picSortArrowUp_MouseDown(int button, int shift, float x, float y) {
    MSHFlexGrid1_MouseDown(button, shift, static_cast<float>(picSortArrowUp.left - MSHFlexGrid1.left) + x,
                           static_cast<float>(picSortArrowUp.top - MSHFlexGrid1.top) + y);
}

void frmUtilLookupCode::MSHFlexGrid1_MouseUp(int, int, float, float) {
    window.focus = &txtSearch;
    ShowHeadings();
    showRowMarker();
}

void frmUtilLookupCode::MSHFlexGrid1_DblClick() {
    if (pressedOnDataRow(sngMouseDownY)) cmdOK_Click();
}

void frmUtilLookupCode::MSHFlexGrid1_KeyDown(int& keyCode, int) {
    if (keyCode == kKeyReturn) cmdOK_Click();
    else if (keyCode == kKeyEscape) cmdCancel_Click();
}

int frmUtilLookupCode::lastSelectedColumn() const { return bolServerLookup ? 1 : 2; }

void frmUtilLookupCode::moveToRow(int row) {
    MSHFlexGrid1_LeaveCell();
    ignoreFailure([&] { MSHFlexGrid1.setCol(1); });
    ignoreFailure([&] { MSHFlexGrid1.setRow(row); });
    ignoreFailure([&] { MSHFlexGrid1.setRowSel(row); });
    ignoreFailure([&] { MSHFlexGrid1.setColSel(lastSelectedColumn()); });
}

int frmUtilLookupCode::searchCandidate(const std::string& search) const {
    const std::string wanted = upperPrefix(search, search.size());
    const std::string blankThenWanted = " " + wanted;
    int last = MSHFlexGrid1.rows() - 1;
    bool ascending = strSortOrder == "ASC";
    int candidate = 0;
    for (int i = 1; i <= last; ++i) {
        int row = ascending ? i : last + 1 - i;
        const std::string& value = MSHFlexGrid1.textMatrix(row, intSortCol);
        std::string prefix = upperPrefix(value, search.size());
        if (!(prefix <= wanted || upperPrefix(value, search.size() + 1) <= blankThenWanted)) break;
        candidate = row;
        if (prefix == wanted) break;
    }
    return candidate;
}

void frmUtilLookupCode::txtSearch_Change() {
    if (txtSearch.text.empty()) {
        moveToRow(1);
        ignoreFailure([&] { MSHFlexGrid1.setTopRow(1); });
        showRowMarker();
        return;
    }
    int candidate = 0;
    ignoreFailure([&] { candidate = searchCandidate(txtSearch.text); });
    if (candidate == 0) return;
    moveToRow(candidate);
    ignoreFailure([&] {
        if (!MSHFlexGrid1.rowIsVisible(candidate)) MSHFlexGrid1.setTopRow(candidate);
    });
    showRowMarker();
}

void frmUtilLookupCode::txtSearch_KeyDown(int& keyCode, int) {
    try {
        int row = MSHFlexGrid1.row();
        switch (keyCode) {
            case kKeyUp:
                if (row > 1) {
                    MSHFlexGrid1_LeaveCell();
                    MSHFlexGrid1.setRow(row - 1);
                    showRowMarker();
                    keyCode = 0;
                }
                break;
            case kKeyDown:
                if (row != MSHFlexGrid1.rows() - 1) {
                    MSHFlexGrid1_LeaveCell();
                    MSHFlexGrid1.setRow(row + 1);
                    showRowMarker();
                }
                keyCode = 0;
                break;
            case kKeyReturn:
                cmdOK_Click();
                break;
            case kKeyEscape:
                cmdCancel_Click();
                break;
            default:
                break;
        }
    } catch (const RunError&) {
        keyCode = 0;
    }
}

}  // namespace wf
