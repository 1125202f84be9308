// The contents and shape of a string grid, without any widget: cells with their texts and
// objects, fixed rows and columns, column widths and row heights, the current cell and the
// selection. The widget (TStringGrid) observes it; logic classes such as the grid box's item
// list work on it directly.
#pragma once

#include "objectlist/exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace duebell {

class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

enum GridOption : std::uint32_t {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using GridOptions = std::uint32_t;

// The class library's default options of a string grid.
constexpr GridOptions DefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// What the widget hears of a change. Shape changes come in pairs so a Qt model can bracket
// them.
class StringGridObserver {
public:
    virtual ~StringGridObserver() = default;
    virtual void ShapeAboutToChange(int /*oldCols*/, int /*oldRows*/, int /*newCols*/,
                                    int /*newRows*/) {}
    virtual void ShapeChanged(int /*oldCols*/, int /*oldRows*/) {}
    virtual void FixedChanged() {}
    virtual void CellChanged(int /*col*/, int /*row*/) {}
    // Many cells at once (row and column moves and exchanges).
    virtual void ContentsChanged() {}
    virtual void SizesChanged() {}
    virtual void CurrentChanged() {}
    virtual void OptionsChanged() {}
};

class StringGridData {
public:
    // The class library's defaults: 5 x 5 cells, one fixed row and column, columns 64 and
    // rows 24 pixels, grid lines 1 pixel, the current cell the first non-fixed one.
    StringGridData();

    void SetObserver(StringGridObserver* observer) { observer_ = observer; }

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Counts below 1 become 1; fixed rows and columns shrink to leave one scrolling line.
    // Cells beyond a shrunk edge are dropped.
    void SetColCount(int count);
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    // Raises EInvalidGridOperation when the count is not below ColCount (RowCount).
    void SetFixedCols(int count);
    void SetFixedRows(int count);
    bool IsFixedCell(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }

    // Cells outside the grid read as empty and raise EInvalidGridOperation when written.
    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    void* Objects(int col, int row) const;
    void SetObjects(int col, int row, void* object);

    // A row's cells as a list; assigning empties the row and fills it from its first cell,
    // dropping what does not fit.
    std::vector<std::string> RowTexts(int row) const;
    void SetRowTexts(int row, const std::vector<std::string>& texts);
    std::string RowCommaText(int row) const;
    void SetRowCommaText(int row, const std::string& text);

    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }
    // Setting a default size drops every individual size.
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);
    int ColWidths(int col) const;
    int RowHeights(int row) const;
    void SetColWidths(int col, int width);
    void SetRowHeights(int row, int height);
    bool HasCustomColWidths() const { return !colWidths_.empty(); }
    bool HasCustomRowHeights() const { return !rowHeights_.empty(); }
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    // The width of the vertical (horizontal) lines actually drawn: GridLineWidth while any
    // vertical (horizontal) line option is set, else 0.
    int VertLineWidth() const;
    int HorzLineWidth() const;
    // The pixel extent of the fixed columns (rows) with their lines, and the fixed column
    // (row) at an offset into them (-1 past them).
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    int FixedColAt(int x) const;
    int FixedRowAt(int y) const;

    GridOptions Options() const { return options_; }
    void SetOptions(GridOptions options);
    bool HasOption(GridOption option) const { return (options_ & option) != 0; }

    // The current cell; it never lies in the fixed part.
    int Col() const { return col_; }
    int Row() const { return row_; }
    // Raises EInvalidGridOperation for a cell outside the scrolling part.
    void SetCol(int col);
    void SetRow(int row);
    void FocusCell(int col, int row);
    // The selected rectangle; a single cell (or the current row with goRowSelect) unless a
    // range was selected.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& rect);

    // Exchanges or moves whole rows and columns with their texts and objects.
    void ExchangeRows(int a, int b);
    // Puts every row (column) in a new place at once: entry i of `order` is the row (column)
    // that goes to place i. Raises EInvalidGridOperation for anything but a reordering.
    void PermuteRows(const std::vector<int>& order);
    void PermuteCols(const std::vector<int>& order);
    void ExchangeCols(int a, int b);
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);

private:
    struct Cell {
        std::string text;
        void* object = nullptr;
    };
    Cell& At(int col, int row);
    void CheckCell(int col, int row) const;
    void Reshape(int cols, int rows);
    void ClampCurrent();
    template <class F> void Notify(F&& f) {
        if (observer_ != nullptr)
            f(*observer_);
    }

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    std::vector<std::vector<Cell>> rows_; // rows_[row][col]
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> colWidths_; // empty while every column has the default width
    std::vector<int> rowHeights_;
    int gridLineWidth_ = 1;
    GridOptions options_ = DefaultGridOptions;
    int col_ = 1;
    int row_ = 1;
    TGridRect selection_{1, 1, 1, 1};
    StringGridObserver* observer_ = nullptr;
};

} // namespace duebell
