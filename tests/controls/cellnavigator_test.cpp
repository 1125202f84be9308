#include "controls/cellnavigator.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

// A 4 x 4 grid with one fixed row and column: the scrolling cells are (1..3, 1..3).
const GridBounds grid{1, 1, 4, 4};

CellMove Move(int col, int row, T_nextcell d, T_lastcell after = lc_stop,
              std::function<bool(int, int)> editable = {}) {
    return NextCell(col, row, d, after, grid, editable);
}

void ExpectAt(const CellMove& m, int col, int row) {
    EXPECT_EQ(m.kind, CellMove::MoveTo);
    EXPECT_EQ(m.col, col);
    EXPECT_EQ(m.row, row);
}

TEST(CellNavigator, StepsAndWrapsToTheFirstScrollingCellOfTheNextLine) {
    ExpectAt(Move(1, 1, nc_rightdown), 2, 1);
    ExpectAt(Move(3, 1, nc_rightdown), 1, 2);
    ExpectAt(Move(1, 3, nc_downright), 2, 1);
    ExpectAt(Move(1, 2, nc_leftdown), 3, 3);
    ExpectAt(Move(1, 1, nc_downleft), 1, 2);
    ExpectAt(Move(2, 1, nc_downleft), 2, 2);
    ExpectAt(Move(2, 1, nc_upleft), 1, 3);
    ExpectAt(Move(1, 2, nc_leftup), 3, 1);
    ExpectAt(Move(3, 2, nc_rightup), 1, 1);
    ExpectAt(Move(1, 1, nc_upright), 2, 3);
}

TEST(CellNavigator, OppositeIsFourPlacesOn) {
    EXPECT_EQ(OppositeDirection(nc_rightdown), nc_leftup);
    EXPECT_EQ(OppositeDirection(nc_downright), nc_upleft);
    EXPECT_EQ(OppositeDirection(nc_leftup), nc_rightdown);
    EXPECT_EQ(OppositeDirection(nc_upright), nc_downleft);
}

TEST(CellNavigator, PastTheLastCellTheSettingDecides) {
    EXPECT_EQ(Move(3, 3, nc_rightdown, lc_stop).kind, CellMove::Stay);
    EXPECT_EQ(Move(3, 3, nc_rightdown, lc_exit).kind, CellMove::LeaveGrid);
    ExpectAt(Move(3, 3, nc_rightdown, lc_first), 1, 1);
    ExpectAt(Move(1, 1, nc_leftup, lc_first), 3, 3);
    const CellMove row = Move(3, 3, nc_rightdown, lc_newline);
    EXPECT_EQ(row.kind, CellMove::AddRow);
    EXPECT_EQ(row.col, 1);
    EXPECT_EQ(row.row, 4);
    const CellMove column = Move(3, 3, nc_downright, lc_newline);
    EXPECT_EQ(column.kind, CellMove::AddColumn);
    EXPECT_EQ(column.col, 4);
    EXPECT_EQ(column.row, 1);
}

TEST(CellNavigator, CellsThatAreNotEditableArePassedOver) {
    auto onlyColumnThree = [](int c, int) { return c == 3; };
    ExpectAt(Move(3, 1, nc_rightdown, lc_stop, onlyColumnThree), 3, 2);
    auto nothing = [](int, int) { return false; };
    EXPECT_EQ(Move(2, 2, nc_rightdown, lc_first, nothing).kind, CellMove::Stay);
}

} // namespace
} // namespace duebell
