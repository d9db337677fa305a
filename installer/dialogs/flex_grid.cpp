#include "installer/dialogs/flex_grid.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>

#include "common/run_error.h"

namespace wf {
namespace {

// The grid's answer to a value it cannot take.
[[noreturn]] void rejectValue() { throw RunError(kErrInvalidProcedureCall, "Invalid procedure call or argument"); }

// An optional sign and digits with at most one decimal point. Blanks, exponents,
// hexadecimal and the names of infinity and NaN make a text: a NaN would compare
// with nothing and leave the sort without a consistent order.
bool isPlainDecimal(const std::string& text) {
    std::size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

std::optional<double> numberIn(const std::string& text) {
    if (!isPlainDecimal(text)) return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        int ca = std::toupper(static_cast<unsigned char>(a[i]));
        int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Numbers sort before texts and by value; texts ignore case.
bool genericLess(const std::string& a, const std::string& b) {
    std::optional<double> na = numberIn(a);
    std::optional<double> nb = numberIn(b);
    if (na && nb) return *na < *nb;
    if (na || nb) return na.has_value();
    return compareIgnoringCase(a, b) < 0;
}

}  // namespace

FlexGrid::FlexGrid(int rows, int cols, int rowHeight) : cols_(cols), rowHeight_(rowHeight) {
    colWidths_.assign(static_cast<std::size_t>(cols), 0);
    setRows(rows);
}

void FlexGrid::requireRow(int row) const {
    if (row < 0 || row >= rows()) rejectValue();
}

void FlexGrid::requireCol(int col) const {
    if (col < 0 || col >= cols_) rejectValue();
}

void FlexGrid::setRows(int rows) {
    if (rows < kFixedRows) rejectValue();
    cells_.resize(static_cast<std::size_t>(rows), std::vector<std::string>(static_cast<std::size_t>(cols_)));
    if (rows == kFixedRows) {
        topRow_ = 0;
        row_ = rowSel_ = 0;
    } else {
        row_ = std::min(row_, rows - 1);
        rowSel_ = std::min(rowSel_, rows - 1);
        topRow_ = std::min(topRow_, lastTopRow());
    }
}

void FlexGrid::setCols(int cols) {
    if (cols < kFixedCols + 1) rejectValue();
    cols_ = cols;
    for (std::vector<std::string>& cells : cells_) cells.resize(static_cast<std::size_t>(cols));
    colWidths_.resize(static_cast<std::size_t>(cols), 0);
    col_ = std::min(col_, cols - 1);
    colSel_ = std::min(colSel_, cols - 1);
}

const std::string& FlexGrid::textMatrix(int row, int col) const {
    requireRow(row);
    requireCol(col);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void FlexGrid::setTextMatrix(int row, int col, const std::string& text) {
    requireRow(row);
    requireCol(col);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
}

void FlexGrid::clear() {
    for (std::vector<std::string>& cells : cells_) std::fill(cells.begin(), cells.end(), std::string());
}

void FlexGrid::addItem(const std::vector<std::string>& texts) {
    std::vector<std::string> cells(texts.begin(), texts.begin() + std::min<std::ptrdiff_t>(texts.size(), cols_));
    cells.resize(static_cast<std::size_t>(cols_));
    cells_.push_back(std::move(cells));
}

void FlexGrid::setRow(int row) {
    requireRow(row);
    row_ = rowSel_ = row;
}

void FlexGrid::setCol(int col) {
    requireCol(col);
    col_ = colSel_ = col;
}

void FlexGrid::setRowSel(int row) {
    requireRow(row);
    rowSel_ = row;
}

void FlexGrid::setColSel(int col) {
    requireCol(col);
    colSel_ = col;
}

int FlexGrid::visibleDataRows() const { return std::max(0, (height - rowHeight_ * kFixedRows) / rowHeight_); }

int FlexGrid::lastTopRow() const { return std::max(kFixedRows, rows() - std::max(1, visibleDataRows())); }

void FlexGrid::setTopRow(int row) {
    requireRow(row);
    if (rows() == kFixedRows) return;
    topRow_ = std::clamp(row, kFixedRows, lastTopRow());
}

bool FlexGrid::rowIsVisible(int row) const {
    requireRow(row);
    if (row < kFixedRows) return height > 0;
    int top = std::max(topRow_, kFixedRows);
    return row >= top && row < top + visibleDataRows();
}

int FlexGrid::colWidth(int col) const {
    requireCol(col);
    return colWidths_[static_cast<std::size_t>(col)];
}

void FlexGrid::setColWidth(int col, int width) {
    requireCol(col);
    if (width < 0) rejectValue();
    colWidths_[static_cast<std::size_t>(col)] = width;
}

int FlexGrid::colPos(int col) const {
    requireCol(col);
    int left = 0;
    for (int c = 0; c < col; ++c) left += colWidths_[static_cast<std::size_t>(c)];
    return left;
}

int FlexGrid::rowHeight(int row) const {
    requireRow(row);
    return rowHeight_;
}

void FlexGrid::sort(int col, GridSort order) {
    requireCol(col);
    auto key = [col](const std::vector<std::string>& cells) -> const std::string& {
        return cells[static_cast<std::size_t>(col)];
    };
    auto first = cells_.begin() + kFixedRows;
    switch (order) {
        case GridSort::GenericAscending:
            std::stable_sort(first, cells_.end(), [&](const auto& a, const auto& b) { return genericLess(key(a), key(b)); });
            break;
        case GridSort::StringAscending:
            std::stable_sort(first, cells_.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
            break;
        case GridSort::StringDescending:
            std::stable_sort(first, cells_.end(), [&](const auto& a, const auto& b) { return key(b) < key(a); });
            break;
    }
}

}  // namespace wf
