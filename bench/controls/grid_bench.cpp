// A cell-style grid of 2,000 rows of ten columns under a caption row, shown in an 800 x 600
// window: sorting it by a column, and filling it one row at a time as a list is read in.
#include "bench/benchapplication.h"
#include "controls/cellstylegrid.h"

#include <benchmark/benchmark.h>
#include <optional>
#include <random>

namespace duebell {
namespace {

constexpr int Rows = 2000;
constexpr int Cols = 10;

// Row r's text in column c: a loan number, then pseudo-random words that sort apart.
std::string CellText(int col, int row, std::mt19937& random) {
    if (col == 0)
        return std::to_string(1000000 + row);
    return "Text " + std::to_string(random() % 100000);
}

void ShowGrid(TCellStyleGrid& grid) {
    grid.resize(800, 600);
    grid.show();
    QCoreApplication::processEvents();
}

void BM_SortTwoThousandRows(benchmark::State& state) {
    bench::BenchApplication();
    TCellStyleGrid grid;
    grid.SetColCount(Cols);
    grid.SetFixedCols(0);
    grid.SetRowCount(Rows + 1);
    std::mt19937 random(7);
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 0; c < Cols; ++c)
            grid.SetCells(c, r, CellText(c, r, random));
        if (r % 2 == 0)
            grid.SetColorRow(r, 0xEFEFEF);
    }
    ShowGrid(grid);
    int column = 1;
    for (auto _ : state) {
        // Each sort orders rows the previous one left in another order.
        grid.SortRows(column, true);
        column = column % (Cols - 1) + 1;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortTwoThousandRows)->Unit(benchmark::kMillisecond);

// Row by row, as a list is read in: without a batch (arg 0), and inside BeginUpdate and
// EndUpdate (arg 1), as a list refills its grid.
void BM_FillTwoThousandRowsOneByOne(benchmark::State& state) {
    bench::BenchApplication();
    const bool batch = state.range(0) != 0;
    for (auto _ : state) {
        TCellStyleGrid grid;
        grid.SetColCount(Cols);
        grid.SetFixedCols(0);
        grid.SetRowCount(2);
        ShowGrid(grid);
        std::mt19937 random(7);
        {
            std::optional<TGridUpdate> update;
            if (batch)
                update.emplace(grid);
            for (int r = 1; r <= Rows; ++r) {
                if (r > 1)
                    grid.SetRowCount(r + 1);
                for (int c = 0; c < Cols; ++c)
                    grid.SetCells(c, r, CellText(c, r, random));
            }
        }
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(grid.RowCount());
    }
}
BENCHMARK(BM_FillTwoThousandRowsOneByOne)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
