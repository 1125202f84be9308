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

TEST(GridText, SortsScrollingRowsThroughTheExchangeOnly) {
    StringGridData g;
    g.SetRowCount(8);
    const std::vector<std::string> keys{"header", "pear",  "apple", "fig",
                                        "kiwi",   "apple", "date",  "banana"};
    for (int r = 0; r < 8; ++r) {
        g.SetCells(1, r, keys[static_cast<std::size_t>(r)]);
        g.SetCells(2, r, std::to_string(r));
    }
    int exchanges = 0;
    SortGridRows(g, 1, true, {}, [&](int a, int b) {
        ++exchanges;
        g.ExchangeRows(a, b);
    });
    std::vector<std::string> sorted;
    for (int r = 0; r < 8; ++r)
        sorted.push_back(g.Cells(1, r));
    EXPECT_EQ(sorted, (std::vector<std::string>{"header", "apple", "apple", "banana", "date", "fig",
                                                "kiwi", "pear"}));
    EXPECT_GT(exchanges, 0);
    // Other cells travelled with their rows.
    EXPECT_EQ(g.Cells(2, 7), "1");
    SortGridRows(g, 1, false, {}, [&](int a, int b) { g.ExchangeRows(a, b); });
    EXPECT_EQ(g.Cells(1, 1), "pear");
    EXPECT_EQ(g.Cells(1, 7), "apple");
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
    SortGridCols(g, 2, true, numeric, [&](int a, int b) { g.ExchangeCols(a, b); });
    EXPECT_EQ(g.RowTexts(2), (std::vector<std::string>{"", "1", "9", "10", "100"}));
}

} // namespace
} // namespace duebell
