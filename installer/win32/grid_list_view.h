#pragma once
// Shows a FlexGrid in a report-mode list view: the heading row as the column
// headings, each data row as an item, the current row selected, the top row first.
#include <windows.h>

#include "installer/dialogs/flex_grid.h"
#include "installer/win32/form_view_sync.h"

namespace wf::win32 {

enum class SortArrow { None, Down, Up };

void showGrid(HWND list, const TwipsScale& scale, const FlexGrid& grid, SortArrow valueColumnArrow);

// The first item shown, as a grid row.
int topGridRow(HWND list);

// The height of the column headings, in pixels.
int headingHeight(HWND list);

}  // namespace wf::win32
