#include "controls/gridtext.h"

#include <vector>

namespace duebell {

std::string GridRectText(const StringGridData& grid, const TGridRect& rect) {
    std::string text;
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        if (r > rect.Top)
            text += '\n';
        for (int c = rect.Left; c <= rect.Right; ++c) {
            if (c > rect.Left)
                text += '\t';
            text += grid.Cells(c, r);
        }
    }
    return text;
}

void PasteGridText(StringGridData& grid, const std::string& text, int col, int row,
                   const std::function<bool(int col, int row)>& writable) {
    std::vector<std::vector<std::string>> lines(1);
    lines.back().emplace_back();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (ch == '\n' || ch == '\r') {
            lines.emplace_back(1);
        } else if (ch == '\t') {
            lines.back().emplace_back();
        } else {
            lines.back().back() += ch;
        }
    }
    // A final line break ends the last row rather than starting an empty one.
    if (lines.size() > 1 && lines.back().size() == 1 && lines.back().front().empty())
        lines.pop_back();
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.size());
    if (col + static_cast<int>(width) > grid.ColCount())
        grid.SetColCount(col + static_cast<int>(width));
    if (row + static_cast<int>(lines.size()) > grid.RowCount())
        grid.SetRowCount(row + static_cast<int>(lines.size()));
    for (std::size_t r = 0; r < lines.size(); ++r)
        for (std::size_t c = 0; c < lines[r].size(); ++c) {
            const int gc = col + static_cast<int>(c);
            const int gr = row + static_cast<int>(r);
            if (!writable || writable(gc, gr))
                grid.SetCells(gc, gr, lines[r][c]);
        }
}

int CompareCellTexts(const std::string& a, const std::string& b) {
    return a.compare(b);
}

namespace {

// Quicksort of lines lo..hi by their key texts; lines move only through `exchange`.
void QuickSort(int lo, int hi, const std::function<std::string(int)>& key, const CellCompare& cmp,
               bool ascending, const std::function<void(int, int)>& exchange) {
    auto compare = [&](const std::string& a, const std::string& b) {
        const int result = cmp(a, b);
        return ascending ? result : -result;
    };
    while (lo < hi) {
        const std::string pivot = key(lo + (hi - lo) / 2);
        int i = lo;
        int j = hi;
        while (i <= j) {
            while (compare(key(i), pivot) < 0)
                ++i;
            while (compare(key(j), pivot) > 0)
                --j;
            if (i <= j) {
                if (i != j)
                    exchange(i, j);
                ++i;
                --j;
            }
        }
        // Recurse into the smaller part, loop over the larger one.
        if (j - lo < hi - i) {
            QuickSort(lo, j, key, cmp, ascending, exchange);
            lo = i;
        } else {
            QuickSort(i, hi, key, cmp, ascending, exchange);
            hi = j;
        }
    }
}

} // namespace

void SortGridRows(const StringGridData& grid, int col, bool ascending, const CellCompare& compare,
                  const std::function<void(int a, int b)>& exchange) {
    QuickSort(
        grid.FixedRows(), grid.RowCount() - 1, [&](int r) { return grid.Cells(col, r); },
        compare ? compare : CellCompare(CompareCellTexts), ascending, exchange);
}

void SortGridCols(const StringGridData& grid, int row, bool ascending, const CellCompare& compare,
                  const std::function<void(int a, int b)>& exchange) {
    QuickSort(
        grid.FixedCols(), grid.ColCount() - 1, [&](int c) { return grid.Cells(c, row); },
        compare ? compare : CellCompare(CompareCellTexts), ascending, exchange);
}

} // namespace duebell
