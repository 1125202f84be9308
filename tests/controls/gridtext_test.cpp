#include "controls/gridtext.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(GridText, CopiesARectangleWithTabsAndLineBreaks) {
    StringGridData g;
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetCells(1, 2, "c");
    EXPECT_EQ(GridRectText(g, {1, 1, 2, 2}), "a\tb\nc\t");
}

TEST(GridText, PasteGrowsTheGridAndSparesProtectedCells) {
    StringGridData g;
    g.SetCells(3, 2, "keep");
    PasteGridText(g, "1\t2\t3\r\n4\t5\t6\r\n7\n", 2, 2,
                  [](int c, int r) { return !(c == 3 && r == 2); });
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(2, 2), "1");
    EXPECT_EQ(g.Cells(3, 2), "keep");
    EXPECT_EQ(g.Cells(4, 3), "6");
    EXPECT_EQ(g.Cells(2, 4), "7");
    PasteGridText(g, "x\ty\tz", 3, 4, {});
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.Cells(5, 4), "z");
}

TEST(GridText, TheSortOrderOfTheScrollingRowsIsWorkedOutOnTheirTexts) {
    StringGridData g;
    g.SetRowCount(8);
    const std::vector<std::string> keys{"header", "pear",  "apple", "fig",
                                        "kiwi",   "apple", "date",  "banana"};
    for (int r = 0; r < 8; ++r)
        g.SetCells(1, r, keys[static_cast<std::size_t>(r)]);
    // The quicksort's own order for the two apples (rows 2 and 5) included.
    EXPECT_EQ(SortedRowOrder(g, 1, true, {}), (std::vector<int>{0, 5, 2, 7, 6, 3, 4, 1}));
    EXPECT_EQ(SortedRowOrder(g, 1, false, {}), (std::vector<int>{0, 1, 4, 3, 6, 7, 2, 5}));
    // Nothing moves until the order is applied, and then the rows move whole.
    EXPECT_EQ(g.Cells(1, 1), "pear");
    g.SetCells(2, 1, "pear's amount");
    g.PermuteRows(SortedRowOrder(g, 1, true, {}));
    EXPECT_EQ(g.Cells(1, 7), "pear");
    EXPECT_EQ(g.Cells(2, 7), "pear's amount");
    EXPECT_THROW(g.PermuteRows({0, 1, 1, 2, 3, 4, 5, 6}), EInvalidGridOperation);
}

TEST(GridText, ColumnsSortByARowWithACustomCompare) {
    StringGridData g;
    g.SetCells(1, 2, "10");
    g.SetCells(2, 2, "9");
    g.SetCells(3, 2, "100");
    g.SetCells(4, 2, "1");
    auto numeric = [](const std::string& a, const std::string& b) {
        return std::stoi(a) - std::stoi(b);
    };
    g.PermuteCols(SortedColOrder(g, 2, true, numeric));
    EXPECT_EQ(g.RowTexts(2), (std::vector<std::string>{"", "1", "9", "10", "100"}));
}

} // namespace
} // namespace duebell
