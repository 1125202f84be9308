#include "controls/cellnavigator.h"

namespace duebell {

namespace {

struct Step {
    int dc;         // column step of the direction (0 for column-first directions)
    int dr;         // row step
    bool rowsFirst; // true: the step runs along a row and wraps to the next row
};

Step StepOf(T_nextcell d) {
    switch (d) {
    case nc_rightdown:
        return {1, 1, true};
    case nc_leftdown:
        return {-1, 1, true};
    case nc_leftup:
        return {-1, -1, true};
    case nc_rightup:
        return {1, -1, true};
    case nc_downright:
        return {1, 1, false};
    case nc_downleft:
        return {-1, 1, false};
    case nc_upleft:
        return {-1, -1, false};
    case nc_upright:
        return {1, -1, false};
    }
    return {1, 1, true};
}

} // namespace

CellMove NextCell(int col, int row, T_nextcell direction, T_lastcell afterLast, const GridBounds& b,
                  const std::function<bool(int col, int row)>& editable) {
    const Step s = StepOf(direction);
    const int firstCol = b.fixedCols;
    const int lastCol = b.colCount - 1;
    const int firstRow = b.fixedRows;
    const int lastRow = b.rowCount - 1;
    const int startCol = s.dc > 0 ? firstCol : lastCol; // where a line begins
    const int startRow = s.dr > 0 ? firstRow : lastRow;
    auto outside = [](int v, int lo, int hi) { return v < lo || v > hi; };

    int c = col;
    int r = row;
    const long limit = static_cast<long>(b.colCount) * b.rowCount + 1;
    for (long steps = 0; steps < limit; ++steps) {
        if (s.rowsFirst) {
            c += s.dc;
            if (outside(c, firstCol, lastCol)) {
                c = startCol;
                r += s.dr;
            }
        } else {
            r += s.dr;
            if (outside(r, firstRow, lastRow)) {
                r = startRow;
                c += s.dc;
            }
        }
        if (outside(c, firstCol, lastCol) || outside(r, firstRow, lastRow)) {
            switch (afterLast) {
            case lc_stop:
                return {CellMove::Stay, col, row};
            case lc_exit:
                return {CellMove::LeaveGrid, col, row};
            case lc_newline:
                if (s.rowsFirst)
                    return {CellMove::AddRow, startCol, b.rowCount};
                return {CellMove::AddColumn, b.colCount, startRow};
            case lc_first:
                c = startCol;
                r = startRow;
                break;
            }
        }
        if (c == col && r == row)
            return {CellMove::Stay, col, row};
        if (!editable || editable(c, r))
            return {CellMove::MoveTo, c, r};
    }
    return {CellMove::Stay, col, row};
}

} // namespace duebell
