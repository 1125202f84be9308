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

// Quicksort of lines lo..hi by their key texts, exchanging places in `order` and `keys`.
void QuickSort(int lo, int hi, std::vector<int>& order, std::vector<std::string>& keys,
               const CellCompare& cmp, bool ascending) {
    auto compare = [&](const std::string& a, const std::string& b) {
        const int result = cmp(a, b);
        return ascending ? result : -result;
    };
    auto exchange = [&](int a, int b) {
        std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
        std::swap(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]);
    };
    auto key = [&](int i) -> const std::string& { return keys[static_cast<std::size_t>(i)]; };
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
            QuickSort(lo, j, order, keys, cmp, ascending);
            lo = i;
        } else {
            QuickSort(i, hi, order, keys, cmp, ascending);
            hi = j;
        }
    }
}

std::vector<int> SortedOrder(int count, int fixed, const std::function<std::string(int)>& keyOf,
                             bool ascending, const CellCompare& compare) {
    std::vector<int> order(static_cast<std::size_t>(count));
    std::vector<std::string> keys(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        order[static_cast<std::size_t>(i)] = i;
        keys[static_cast<std::size_t>(i)] = keyOf(i);
    }
    QuickSort(fixed, count - 1, order, keys, compare ? compare : CellCompare(CompareCellTexts),
              ascending);
    return order;
}

} // namespace

std::vector<int> SortedRowOrder(const StringGridData& grid, int col, bool ascending,
                                const CellCompare& compare) {
    return SortedOrder(
        grid.RowCount(), grid.FixedRows(), [&](int r) { return grid.Cells(col, r); }, ascending,
        compare);
}

std::vector<int> SortedColOrder(const StringGridData& grid, int row, bool ascending,
                                const CellCompare& compare) {
    return SortedOrder(
        grid.ColCount(), grid.FixedCols(), [&](int c) { return grid.Cells(c, row); }, ascending,
        compare);
}

} // namespace duebell
