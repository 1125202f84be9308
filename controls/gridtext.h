// The grid's clipboard text and sorting, on the grid's data alone.
#pragma once

#include "controls/stringgriddata.h"

#include <functional>
#include <string>
#include <vector>

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

// The order a quicksort gives the scrolling rows by the text of column `col` (or the
// scrolling columns by the text of row `row`): entry i is the line that ends at place i, the
// fixed lines staying where they are. Computed on the keys alone, to be applied in one step.
std::vector<int> SortedRowOrder(const StringGridData& grid, int col, bool ascending,
                                const CellCompare& compare);
std::vector<int> SortedColOrder(const StringGridData& grid, int row, bool ascending,
                                const CellCompare& compare);

} // namespace duebell
