#include "controls/stringgriddata.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(StringGridData, StartsWithTheClassLibraryDefaults) {
    StringGridData g;
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.DefaultColWidth(), 64);
    EXPECT_EQ(g.DefaultRowHeight(), 24);
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Options(), DefaultGridOptions);
}

TEST(StringGridData, ShrinkingDropsCellsAndGrowingGivesEmptyOnes) {
    StringGridData g;
    g.SetCells(2, 4, "last");
    int object = 0;
    g.SetObjects(2, 4, &object);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cells(2, 4), "");
    g.SetRowCount(5);
    EXPECT_EQ(g.Cells(2, 4), "");
    EXPECT_EQ(g.Objects(2, 4), nullptr);
    EXPECT_THROW(g.SetCells(5, 0, "x"), EInvalidGridOperation);
}

// Rows added one at a time, with the columns widened and narrowed between, keep their texts
// and every cell of the new shape can be written and read.
TEST(StringGridData, GrowingRowByRowAndReshapingKeepsEveryCellAddressable) {
    StringGridData g;
    g.SetColCount(2);
    g.SetRowCount(1);
    for (int row = 1; row < 40; ++row) {
        g.SetRowCount(row + 1);
        g.SetCells(1, row, "r" + std::to_string(row));
        if (row == 20)
            g.SetColCount(4);
        if (row == 30)
            g.SetColCount(3);
    }
    EXPECT_EQ(g.Cells(1, 7), "r7");
    EXPECT_EQ(g.Cells(1, 39), "r39");
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 3; ++col) {
            g.SetCells(col, row, "x");
            EXPECT_EQ(g.Cells(col, row), "x");
        }
    EXPECT_THROW(g.SetCells(3, 39, "x"), EInvalidGridOperation);
}

TEST(StringGridData, FixedPartAlwaysLeavesAScrollingLine) {
    StringGridData g;
    g.SetFixedRows(3);
    g.SetRowCount(2);
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetRowCount(0);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedRows(), 0);
    try {
        g.SetFixedRows(1);
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_STREQ(e.what(), "Fixed row count must be less than row count");
    }
    EXPECT_THROW(g.SetFixedCols(5), EInvalidGridOperation);
}

TEST(StringGridData, CurrentCellStaysInTheScrollingPart) {
    StringGridData g;
    g.FocusCell(4, 4);
    g.SetRowCount(3);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_THROW(g.SetRow(0), EInvalidGridOperation);
    g.SetFixedCols(0);
    g.SetCol(0);
    EXPECT_EQ(g.Col(), 0);
    g.SetFixedRows(2);
    EXPECT_EQ(g.Row(), 2);
}

TEST(StringGridData, RowSelectSelectsTheWholeScrollingRow) {
    StringGridData g;
    g.FocusCell(2, 3);
    EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 2, 3}));
    g.SetOptions(g.Options() | goRowSelect);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 4, 3}));
}

TEST(StringGridData, RowCommaTextFillsFromTheFirstCellAndDropsTheRest) {
    StringGridData g;
    g.SetColCount(3);
    g.SetCells(2, 1, "old");
    g.SetRowCommaText(1, "0000001,\"Smith, John\"");
    EXPECT_EQ(g.Cells(0, 1), "0000001");
    EXPECT_EQ(g.Cells(1, 1), "Smith, John");
    EXPECT_EQ(g.Cells(2, 1), "");
    EXPECT_EQ(g.RowCommaText(1), "0000001,\"Smith, John\",");
    g.SetRowCommaText(2, "a,b,c,d");
    EXPECT_EQ(g.RowTexts(2), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringGridData, DefaultSizeDropsIndividualSizes) {
    StringGridData g;
    g.SetColWidths(2, 100);
    EXPECT_EQ(g.ColWidths(2), 100);
    EXPECT_EQ(g.ColWidths(1), 64);
    EXPECT_TRUE(g.HasCustomColWidths());
    g.SetDefaultColWidth(80);
    EXPECT_EQ(g.ColWidths(2), 80);
    EXPECT_FALSE(g.HasCustomColWidths());
    g.SetRowHeights(0, 30);
    g.SetRowCount(7);
    EXPECT_EQ(g.RowHeights(6), 24);
    EXPECT_EQ(g.FixedRowsHeight(), 31);
    EXPECT_EQ(g.FixedRowAt(30), 0);
    EXPECT_EQ(g.FixedRowAt(31), -1);
}

TEST(StringGridData, LinesCountOnlyWhileTheirOptionsAreSet) {
    StringGridData g;
    g.SetGridLineWidth(2);
    EXPECT_EQ(g.VertLineWidth(), 2);
    g.SetOptions(goHorzLine);
    EXPECT_EQ(g.VertLineWidth(), 0);
    EXPECT_EQ(g.HorzLineWidth(), 2);
}

TEST(StringGridData, RowsMoveAndExchangeWithTheirObjects) {
    StringGridData g;
    int a = 1;
    int b = 2;
    for (int r = 0; r < 5; ++r)
        g.SetCells(0, r, std::to_string(r));
    g.SetObjects(0, 1, &a);
    g.SetObjects(0, 3, &b);
    g.SetRowHeights(1, 40);
    g.ExchangeRows(1, 3);
    EXPECT_EQ(g.Cells(0, 1), "3");
    EXPECT_EQ(g.Objects(0, 1), &b);
    EXPECT_EQ(g.RowHeights(3), 40);
    g.MoveRow(0, 4);
    EXPECT_EQ(g.RowTexts(0)[0] + g.Cells(0, 1) + g.Cells(0, 2) + g.Cells(0, 3) + g.Cells(0, 4),
              "32140");
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.Cells(2, 0), "3");
    EXPECT_EQ(g.Cells(0, 0), "");
}

struct RecordingObserver : StringGridObserver {
    std::vector<std::string> events;
    void ShapeAboutToChange(int oc, int orow, int nc, int nr) override {
        events.push_back("about " + std::to_string(oc) + "x" + std::to_string(orow) + "->" +
                         std::to_string(nc) + "x" + std::to_string(nr));
    }
    void ShapeChanged(int, int) override { events.push_back("shape"); }
    void CellChanged(int c, int r) override {
        events.push_back("cell " + std::to_string(c) + "," + std::to_string(r));
    }
    void CurrentChanged() override { events.push_back("current"); }
};

TEST(StringGridData, ObserverHearsEachRealChangeOnce) {
    StringGridData g;
    RecordingObserver o;
    g.SetObserver(&o);
    g.SetCells(1, 1, "x");
    g.SetCells(1, 1, "x");
    g.SetRowCount(5);
    g.SetRowCount(8);
    g.SetRow(6);
    g.SetRow(6);
    EXPECT_EQ(o.events,
              (std::vector<std::string>{"cell 1,1", "about 5x5->5x8", "shape", "current"}));
}

} // namespace
} // namespace duebell
