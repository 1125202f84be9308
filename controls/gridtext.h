// The grid's clipboard text and sorting, on the grid's data alone.
#pragma once

#include "controls/stringgriddata.h"

#include <functional>
#include <string>

namespace duebell {

// The cells of a rectangle as text: cells separated by tabs, rows by line breaks.
std::string GridRectText(const StringGridData& grid, const TGridRect& rect);

// Writes tab-and-line separated text into the grid from (col, row), adding rows and columns
// as needed; a cell for which `writable` answers false keeps its text.
void PasteGridText(StringGridData& grid, const std::string& text, int col, int row,
                   const std::function<bool(int col, int row)>& writable);

// Three-way comparison of two cell texts: below 0, 0 or above 0.
using CellCompare = std::function<int(const std::string& a, const std::string& b)>;
int CompareCellTexts(const std::string& a, const std::string& b);

// Quicksorts the scrolling rows by the text of column `col` (or the scrolling columns by the
// text of row `row`), exchanging lines through `exchange` so that everything attached to a
// line moves with it.
void SortGridRows(const StringGridData& grid, int col, bool ascending, const CellCompare& compare,
                  const std::function<void(int a, int b)>& exchange);
void SortGridCols(const StringGridData& grid, int row, bool ascending, const CellCompare& compare,
                  const std::function<void(int a, int b)>& exchange);

} // namespace duebell
