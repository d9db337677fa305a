#include "installer/win32/grid_list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace wf::win32 {
namespace {

constexpr int kValueColumn = 1;

std::string itemText(HWND list, int item, int column) {
    std::vector<char> text(1024, '\0');
    ListView_GetItemText(list, item, column, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void showColumns(HWND list, const TwipsScale& scale, const FlexGrid& grid, SortArrow arrow) {
    HWND header = ListView_GetHeader(list);
    int shown = Header_GetItemCount(header);
    for (; shown < grid.cols(); ++shown) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        ListView_InsertColumn(list, shown, &column);
    }
    for (; shown > grid.cols(); --shown) ListView_DeleteColumn(list, shown - 1);

    for (int c = 0; c < grid.cols(); ++c) {
        std::string heading = grid.textMatrix(0, c);
        HDITEMA item{};
        item.mask = HDI_FORMAT | HDI_TEXT | HDI_WIDTH;
        item.fmt = HDF_LEFT | HDF_STRING;
        if (c == kValueColumn && arrow == SortArrow::Down) item.fmt |= HDF_SORTDOWN;
        if (c == kValueColumn && arrow == SortArrow::Up) item.fmt |= HDF_SORTUP;
        item.pszText = heading.data();
        item.cxy = scale.pixels(grid.colWidth(c));
        Header_SetItem(header, c, &item);
    }
}

void showRows(HWND list, const FlexGrid& grid) {
    int items = grid.rows() - FlexGrid::kFixedRows;
    if (ListView_GetItemCount(list) != items) {
        ListView_DeleteAllItems(list);
        for (int i = 0; i < items; ++i) {
            LVITEMA item{};
            item.iItem = i;
            ListView_InsertItem(list, &item);
        }
    }
    for (int i = 0; i < items; ++i) {
        for (int c = 0; c < grid.cols(); ++c) {
            std::string text = grid.textMatrix(i + FlexGrid::kFixedRows, c);
            if (itemText(list, i, c) != text) ListView_SetItemText(list, i, c, text.data());
        }
    }
}

void showCurrentRow(HWND list, const FlexGrid& grid) {
    int current = grid.row() - FlexGrid::kFixedRows;
    int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (selected == current) return;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (current >= 0) ListView_SetItemState(list, current, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void showTopRow(HWND list, const FlexGrid& grid) {
    if (ListView_GetItemCount(list) == 0) return;
    int wanted = std::max(grid.topRow(), FlexGrid::kFixedRows) - FlexGrid::kFixedRows;
    int shown = ListView_GetTopIndex(list);
    if (wanted != shown) {
        RECT item;
        ListView_GetItemRect(list, 0, &item, LVIR_BOUNDS);
        ListView_Scroll(list, 0, (wanted - shown) * (item.bottom - item.top));
    }
    // The list may show fewer rows than the grid reckons with: keep the current one in view.
    if (grid.row() >= FlexGrid::kFixedRows) ListView_EnsureVisible(list, grid.row() - FlexGrid::kFixedRows, FALSE);
}

}  // namespace

void showGrid(HWND list, const TwipsScale& scale, const FlexGrid& grid, SortArrow valueColumnArrow) {
    showColumns(list, scale, grid, valueColumnArrow);
    showRows(list, grid);
    showCurrentRow(list, grid);
    showTopRow(list, grid);
}

int topGridRow(HWND list) { return ListView_GetTopIndex(list) + FlexGrid::kFixedRows; }

int headingHeight(HWND list) {
    RECT heading{};
    GetWindowRect(ListView_GetHeader(list), &heading);
    return heading.bottom - heading.top;
}

}  // namespace wf::win32
