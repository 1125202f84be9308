// Where Tab, Shift+Tab and an accepted edit move the current cell of an aligned string grid.
#pragma once

#include <cstdint>
#include <functional>

namespace duebell {

// The eight directions: the first word is the step, the second where the step wraps to.
enum T_nextcell : std::uint8_t {
    nc_rightdown,
    nc_downright,
    nc_leftdown,
    nc_downleft,
    nc_leftup,
    nc_upleft,
    nc_rightup,
    nc_upright
};

// What a move past the last cell does.
enum T_lastcell : std::uint8_t { lc_newline, lc_stop, lc_first, lc_exit };

// The opposite direction, four places further in the list (Shift+Tab).
constexpr T_nextcell OppositeDirection(T_nextcell d) {
    return static_cast<T_nextcell>((d + 4) % 8);
}

struct GridBounds {
    int fixedCols = 0;
    int fixedRows = 0;
    int colCount = 1;
    int rowCount = 1;
};

struct CellMove {
    enum Kind {
        MoveTo,    // go to (col, row)
        Stay,      // stay where the cursor is
        AddRow,    // append a row, then go to (col, row) in it
        AddColumn, // append a column, then go to (col, row) in it
        LeaveGrid  // move the focus to the next control
    };
    Kind kind = Stay;
    int col = 0;
    int row = 0;
};

// One step from (col, row) in the direction, wrapping to the next line at an edge; cells that
// are not editable are passed over until the search comes back to its start. Past the last
// cell, `afterLast` decides.
CellMove NextCell(int col, int row, T_nextcell direction, T_lastcell afterLast,
                  const GridBounds& bounds, const std::function<bool(int col, int row)>& editable);

} // namespace duebell
