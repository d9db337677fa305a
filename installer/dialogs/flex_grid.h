#pragma once
// The lookup dialog's grid as a model: rows and columns with one fixed heading row
// and one fixed marker column, cell texts, the current cell, the selection's end,
// the top visible row and the geometry (twips) that tells which rows are visible.
// A value the grid cannot take raises RunError, as the grid control rejects it.
#include <string>
#include <vector>

#include "installer/dialogs/form_controls.h"

namespace wf {

enum class GridSort {
    GenericAscending,    // numbers by value, other texts ignoring case
    StringAscending,     // texts by character code
    StringDescending,
};

// Its place and size are those of a control (twips); `height` decides how many
// data rows are shown.
class FlexGrid : public Control {
public:
    static constexpr int kFixedRows = 1;
    static constexpr int kFixedCols = 1;

    FlexGrid(int rows, int cols, int rowHeight);

    int rows() const { return static_cast<int>(cells_.size()); }
    int cols() const { return cols_; }
    void setRows(int rows);
    void setCols(int cols);

    const std::string& textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const std::string& text);
    // Empties every cell; the row and column counts stay.
    void clear();
    // Appends a row whose cells hold `texts` in column order (missing ones empty).
    void addItem(const std::vector<std::string>& texts);

    // The current cell. Setting it also collapses the selection onto it.
    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int row);
    void setCol(int col);
    const std::string& text() const { return textMatrix(row_, col_); }
    void setText(const std::string& text) { setTextMatrix(row_, col_, text); }

    int rowSel() const { return rowSel_; }
    int colSel() const { return colSel_; }
    void setRowSel(int row);
    void setColSel(int col);

    // The first data row shown; 0 while the grid has had no data row since it was
    // last cut to its headings (the view then starts at the first data row). Settable
    // from the first data row up to the row from which the last row still fills the
    // view; other values within the grid are brought into that range.
    int topRow() const { return topRow_; }
    void setTopRow(int row);
    bool rowIsVisible(int row) const;

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    // Left edge of a column, in grid coordinates.
    int colPos(int col) const;
    int rowHeight(int row) const;

    // Sorts every data row by the texts of column `col`; equal rows keep their order.
    void sort(int col, GridSort order);

private:
    void requireRow(int row) const;
    void requireCol(int col) const;
    int visibleDataRows() const;
    int lastTopRow() const;

    int cols_;
    std::vector<std::vector<std::string>> cells_;
    std::vector<int> colWidths_;
    int row_ = kFixedRows;
    int col_ = kFixedCols;
    int rowSel_ = kFixedRows;
    int colSel_ = kFixedCols;
    int topRow_ = kFixedRows;
    int rowHeight_;
};

}  // namespace wf
