#include "controls/stringgriddata.h"

#include "controls/commatext.h"

#include <algorithm>
#include <utility>

namespace duebell {

namespace {

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

[[noreturn]] void IndexOutOfRange() {
    throw EInvalidGridOperation("Grid index out of range");
}

} // namespace

StringGridData::StringGridData() {
    Reshape(colCount_, rowCount_);
}

void StringGridData::Reshape(int cols, int rows) {
    const auto width = static_cast<std::size_t>(cols);
    // Rows already there have their width unless the column count changed (rows are sized
    // first to last, so a sized last row means all are): a grid grown one row at a time stays
    // linear in its rows.
    const std::size_t sized =
        !rows_.empty() && rows_.front().size() == width && rows_.back().size() == width
            ? rows_.size()
            : 0;
    rows_.resize(static_cast<std::size_t>(rows));
    for (std::size_t r = sized; r < rows_.size(); ++r)
        rows_[r].resize(width);
    if (!colWidths_.empty())
        colWidths_.resize(static_cast<std::size_t>(cols), defaultColWidth_);
    if (!rowHeights_.empty())
        rowHeights_.resize(static_cast<std::size_t>(rows), defaultRowHeight_);
}

void StringGridData::SetColCount(int count) {
    count = std::max(count, 1);
    if (count == colCount_)
        return;
    if (count <= fixedCols_)
        SetFixedCols(count - 1);
    const int oldCols = colCount_;
    Notify([&](auto& o) { o.ShapeAboutToChange(oldCols, rowCount_, count, rowCount_); });
    colCount_ = count;
    Reshape(colCount_, rowCount_);
    ClampCurrent();
    Notify([&](auto& o) { o.ShapeChanged(oldCols, rowCount_); });
}

void StringGridData::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == rowCount_)
        return;
    if (count <= fixedRows_)
        SetFixedRows(count - 1);
    const int oldRows = rowCount_;
    Notify([&](auto& o) { o.ShapeAboutToChange(colCount_, oldRows, colCount_, count); });
    rowCount_ = count;
    Reshape(colCount_, rowCount_);
    ClampCurrent();
    Notify([&](auto& o) { o.ShapeChanged(colCount_, oldRows); });
}

void StringGridData::SetFixedCols(int count) {
    if (count < 0)
        IndexOutOfRange();
    if (count >= colCount_)
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    if (count == fixedCols_)
        return;
    fixedCols_ = count;
    ClampCurrent();
    Notify([](auto& o) { o.FixedChanged(); });
}

void StringGridData::SetFixedRows(int count) {
    if (count < 0)
        IndexOutOfRange();
    if (count >= rowCount_)
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    if (count == fixedRows_)
        return;
    fixedRows_ = count;
    ClampCurrent();
    Notify([](auto& o) { o.FixedChanged(); });
}

void StringGridData::CheckCell(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        IndexOutOfRange();
}

StringGridData::Cell& StringGridData::At(int col, int row) {
    CheckCell(col, row);
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

const std::string& StringGridData::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return EmptyText();
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].text;
}

void StringGridData::SetCells(int col, int row, const std::string& text) {
    Cell& cell = At(col, row);
    if (cell.text == text)
        return;
    cell.text = text;
    Notify([&](auto& o) { o.CellChanged(col, row); });
}

void* StringGridData::Objects(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return nullptr;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].object;
}

void StringGridData::SetObjects(int col, int row, void* object) {
    At(col, row).object = object;
}

std::vector<std::string> StringGridData::RowTexts(int row) const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(colCount_));
    for (int c = 0; c < colCount_; ++c)
        texts.push_back(Cells(c, row));
    return texts;
}

void StringGridData::SetRowTexts(int row, const std::vector<std::string>& texts) {
    CheckCell(0, row);
    for (int c = 0; c < colCount_; ++c)
        SetCells(c, row,
                 static_cast<std::size_t>(c) < texts.size() ? texts[static_cast<std::size_t>(c)]
                                                            : std::string());
}

std::string StringGridData::RowCommaText(int row) const {
    return JoinCommaText(RowTexts(row));
}

void StringGridData::SetRowCommaText(int row, const std::string& text) {
    SetRowTexts(row, SplitCommaText(text));
}

void StringGridData::SetDefaultColWidth(int width) {
    if (width == defaultColWidth_ && colWidths_.empty())
        return;
    defaultColWidth_ = width;
    colWidths_.clear();
    Notify([](auto& o) { o.SizesChanged(); });
}

void StringGridData::SetDefaultRowHeight(int height) {
    if (height == defaultRowHeight_ && rowHeights_.empty())
        return;
    defaultRowHeight_ = height;
    rowHeights_.clear();
    Notify([](auto& o) { o.SizesChanged(); });
}

int StringGridData::ColWidths(int col) const {
    if (colWidths_.empty() || col < 0 || col >= colCount_)
        return defaultColWidth_;
    return colWidths_[static_cast<std::size_t>(col)];
}

int StringGridData::RowHeights(int row) const {
    if (rowHeights_.empty() || row < 0 || row >= rowCount_)
        return defaultRowHeight_;
    return rowHeights_[static_cast<std::size_t>(row)];
}

void StringGridData::SetColWidths(int col, int width) {
    CheckCell(col, 0);
    if (ColWidths(col) == width)
        return;
    if (colWidths_.empty())
        colWidths_.assign(static_cast<std::size_t>(colCount_), defaultColWidth_);
    colWidths_[static_cast<std::size_t>(col)] = width;
    Notify([](auto& o) { o.SizesChanged(); });
}

void StringGridData::SetRowHeights(int row, int height) {
    CheckCell(0, row);
    if (RowHeights(row) == height)
        return;
    if (rowHeights_.empty())
        rowHeights_.assign(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
    rowHeights_[static_cast<std::size_t>(row)] = height;
    Notify([](auto& o) { o.SizesChanged(); });
}

void StringGridData::SetGridLineWidth(int width) {
    width = std::max(width, 0);
    if (width == gridLineWidth_)
        return;
    gridLineWidth_ = width;
    Notify([](auto& o) { o.SizesChanged(); });
}

int StringGridData::VertLineWidth() const {
    return (options_ & (goFixedVertLine | goVertLine)) != 0 ? gridLineWidth_ : 0;
}

int StringGridData::HorzLineWidth() const {
    return (options_ & (goFixedHorzLine | goHorzLine)) != 0 ? gridLineWidth_ : 0;
}

int StringGridData::FixedColsWidth() const {
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c)
        w += ColWidths(c) + VertLineWidth();
    return w;
}

int StringGridData::FixedRowsHeight() const {
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r)
        h += RowHeights(r) + HorzLineWidth();
    return h;
}

int StringGridData::FixedColAt(int x) const {
    if (x < 0)
        return -1;
    for (int c = 0; c < fixedCols_; ++c) {
        x -= ColWidths(c) + VertLineWidth();
        if (x < 0)
            return c;
    }
    return -1;
}

int StringGridData::FixedRowAt(int y) const {
    if (y < 0)
        return -1;
    for (int r = 0; r < fixedRows_; ++r) {
        y -= RowHeights(r) + HorzLineWidth();
        if (y < 0)
            return r;
    }
    return -1;
}

void StringGridData::SetOptions(GridOptions options) {
    if (options == options_)
        return;
    options_ = options;
    Notify([](auto& o) { o.OptionsChanged(); });
}

void StringGridData::SetCol(int col) {
    FocusCell(col, row_);
}

void StringGridData::SetRow(int row) {
    FocusCell(col_, row);
}

void StringGridData::FocusCell(int col, int row) {
    if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= rowCount_)
        IndexOutOfRange();
    const TGridRect single{col, row, col, row};
    if (col == col_ && row == row_ && selection_ == single)
        return;
    col_ = col;
    row_ = row;
    selection_ = single;
    Notify([](auto& o) { o.CurrentChanged(); });
}

TGridRect StringGridData::Selection() const {
    if (HasOption(goRowSelect))
        return {fixedCols_, selection_.Top, colCount_ - 1, selection_.Bottom};
    return selection_;
}

void StringGridData::SetSelection(const TGridRect& rect) {
    TGridRect r{std::clamp(std::min(rect.Left, rect.Right), fixedCols_, colCount_ - 1),
                std::clamp(std::min(rect.Top, rect.Bottom), fixedRows_, rowCount_ - 1),
                std::clamp(std::max(rect.Left, rect.Right), fixedCols_, colCount_ - 1),
                std::clamp(std::max(rect.Top, rect.Bottom), fixedRows_, rowCount_ - 1)};
    if (r == selection_)
        return;
    selection_ = r;
    Notify([](auto& o) { o.CurrentChanged(); });
}

void StringGridData::ClampCurrent() {
    const int col = std::clamp(col_, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    const int row = std::clamp(row_, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
    const bool moved = col != col_ || row != row_;
    col_ = col;
    row_ = row;
    auto clampRect = [&](TGridRect r) {
        r.Left = std::clamp(r.Left, 0, colCount_ - 1);
        r.Right = std::clamp(r.Right, 0, colCount_ - 1);
        r.Top = std::clamp(r.Top, 0, rowCount_ - 1);
        r.Bottom = std::clamp(r.Bottom, 0, rowCount_ - 1);
        return r;
    };
    selection_ = moved ? TGridRect{col, row, col, row} : clampRect(selection_);
    if (moved)
        Notify([](auto& o) { o.CurrentChanged(); });
}

namespace {

void CheckPermutation(const std::vector<int>& order, int count) {
    std::vector<bool> seen(static_cast<std::size_t>(count));
    if (static_cast<int>(order.size()) != count)
        IndexOutOfRange();
    for (int i : order) {
        if (i < 0 || i >= count || seen[static_cast<std::size_t>(i)])
            IndexOutOfRange();
        seen[static_cast<std::size_t>(i)] = true;
    }
}

template <class T> void Permute(std::vector<T>& items, const std::vector<int>& order) {
    std::vector<T> moved;
    moved.reserve(items.size());
    for (int i : order)
        moved.push_back(std::move(items[static_cast<std::size_t>(i)]));
    items = std::move(moved);
}

} // namespace

void StringGridData::PermuteRows(const std::vector<int>& order) {
    CheckPermutation(order, rowCount_);
    Permute(rows_, order);
    if (!rowHeights_.empty())
        Permute(rowHeights_, order);
    Notify([](auto& o) { o.ContentsChanged(); });
}

void StringGridData::PermuteCols(const std::vector<int>& order) {
    CheckPermutation(order, colCount_);
    for (auto& row : rows_)
        Permute(row, order);
    if (!colWidths_.empty())
        Permute(colWidths_, order);
    Notify([](auto& o) { o.ContentsChanged(); });
}

void StringGridData::ExchangeRows(int a, int b) {
    CheckCell(0, a);
    CheckCell(0, b);
    if (a == b)
        return;
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
    if (!rowHeights_.empty())
        std::swap(rowHeights_[static_cast<std::size_t>(a)],
                  rowHeights_[static_cast<std::size_t>(b)]);
    Notify([](auto& o) { o.ContentsChanged(); });
}

void StringGridData::ExchangeCols(int a, int b) {
    CheckCell(a, 0);
    CheckCell(b, 0);
    if (a == b)
        return;
    for (auto& row : rows_)
        std::swap(row[static_cast<std::size_t>(a)], row[static_cast<std::size_t>(b)]);
    if (!colWidths_.empty())
        std::swap(colWidths_[static_cast<std::size_t>(a)], colWidths_[static_cast<std::size_t>(b)]);
    Notify([](auto& o) { o.ContentsChanged(); });
}

void StringGridData::MoveRow(int from, int to) {
    CheckCell(0, from);
    CheckCell(0, to);
    if (from == to)
        return;
    auto moveIn = [&](auto& v) {
        auto first = v.begin();
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
    };
    moveIn(rows_);
    if (!rowHeights_.empty())
        moveIn(rowHeights_);
    Notify([](auto& o) { o.ContentsChanged(); });
}

void StringGridData::MoveColumn(int from, int to) {
    CheckCell(from, 0);
    CheckCell(to, 0);
    if (from == to)
        return;
    auto moveIn = [&](auto& v) {
        auto first = v.begin();
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
    };
    for (auto& row : rows_)
        moveIn(row);
    if (!colWidths_.empty())
        moveIn(colWidths_);
    Notify([](auto& o) { o.ContentsChanged(); });
}

} // namespace duebell
