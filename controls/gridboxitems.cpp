#include "controls/gridboxitems.h"

#include <QString>
#include <algorithm>

namespace duebell {

namespace {

[[noreturn]] void ListIndexError(int index) {
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

GridBoxItems::GridBoxItems(StringGridData& grid, GridBoxHost& host) : grid_(grid), host_(host) {
    // The drop-down grid as it is created: no fixed part, one row 16 pixels high, lines both
    // ways; column count and width keep the string grid's defaults.
    grid_.SetFixedCols(0);
    grid_.SetFixedRows(0);
    grid_.SetRowCount(1);
    grid_.SetDefaultRowHeight(16);
    grid_.SetOptions(goVertLine | goHorzLine | goThumbTracking);
}

GridBoxItems::Item GridBoxItems::Take(int index) const {
    const int c = Columns();
    return {{grid_.Cells(index % c, index / c)}, grid_.Objects(index % c, index / c)};
}

void GridBoxItems::Place(int index, const Item& item) {
    const int c = Columns();
    grid_.SetCells(index % c, index / c, item.texts.empty() ? std::string() : item.texts.front());
    grid_.SetObjects(index % c, index / c, item.object);
}

std::string GridBoxItems::Get(int index) const {
    if (index < 0 || index >= count_)
        ListIndexError(index);
    if (selectType_ == stRow)
        return grid_.RowCommaText(index);
    return grid_.Cells(index % Columns(), index / Columns());
}

void GridBoxItems::Put(int index, const std::string& text) {
    if (index < 0 || index >= count_)
        ListIndexError(index);
    if (selectType_ == stRow)
        grid_.SetRowCommaText(index, text);
    else
        grid_.SetCells(index % Columns(), index / Columns(), text);
    sizeMarked_ = true;
}

void* GridBoxItems::GetObject(int index) const {
    if (index < 0 || index >= count_)
        ListIndexError(index);
    if (selectType_ == stRow)
        return grid_.Objects(0, index);
    return grid_.Objects(index % Columns(), index / Columns());
}

void GridBoxItems::PutObject(int index, void* object) {
    if (index < 0 || index >= count_)
        ListIndexError(index);
    if (selectType_ == stRow)
        grid_.SetObjects(0, index, object);
    else
        grid_.SetObjects(index % Columns(), index / Columns(), object);
}

int GridBoxItems::Add(const std::string& text) {
    const int index = count_;
    ++count_;
    if (selectType_ == stRow) {
        grid_.SetRowCount(count_);
        grid_.SetRowCommaText(index, text);
    } else {
        if ((count_ - 1) / Columns() >= grid_.RowCount())
            grid_.SetRowCount(grid_.RowCount() + 1);
        grid_.SetCells(index % Columns(), index / Columns(), text);
    }
    sizeMarked_ = true;
    return index;
}

void GridBoxItems::Insert(int index, const std::string& text) {
    if (index < 0 || index > count_)
        ListIndexError(index);
    Add("");
    if (selectType_ == stRow) {
        grid_.MoveRow(count_ - 1, index);
    } else {
        for (int j = count_ - 1; j > index; --j)
            Place(j, Take(j - 1));
        Place(index, Item{});
    }
    Put(index, text);
    if (itemIndex_ >= index)
        SetItemIndexSilently(itemIndex_ + 1);
}

void GridBoxItems::Delete(int index) {
    if (index < 0 || index >= count_)
        ListIndexError(index);
    const int selected = itemIndex_;
    if (selectType_ == stRow) {
        grid_.MoveRow(index, count_ - 1);
        grid_.SetRowTexts(count_ - 1, {});
        grid_.SetObjects(0, count_ - 1, nullptr);
        --count_;
        grid_.SetRowCount(std::max(count_, 1));
    } else {
        for (int j = index; j < count_ - 1; ++j)
            Place(j, Take(j + 1));
        Place(count_ - 1, Item{});
        --count_;
        if (count_ % Columns() == 0)
            grid_.SetRowCount(std::max(grid_.RowCount() - 1, 1));
    }
    sizeMarked_ = true;
    if (selected > index) {
        SetItemIndexSilently(selected - 1);
    } else if (selected == index && count_ > 0) {
        // The selected record went: the one now in its place (or the new last one) is chosen.
        itemIndex_ = -1;
        const int next = std::min(index, count_ - 1);
        AcceptValue(next);
        SetPopupValue(next);
    } else if (count_ == 0) {
        // An emptied list leaves nothing to show.
        itemIndex_ = -1;
        SetPopupValue(-1);
        if (!host_.BoxText().empty()) {
            updatingText_ = true;
            host_.SetBoxText("");
            updatingText_ = false;
            host_.SetBoxModified();
            host_.BoxChanged();
        }
    }
}

void GridBoxItems::ClearForRefill() {
    const int selected = itemIndex_;
    itemIndex_ = -1;
    try {
        Clear();
    } catch (...) {
        itemIndex_ = selected;
        throw;
    }
}

void GridBoxItems::Clear() {
    grid_.FocusCell(0, 0);
    grid_.SetRowCount(1);
    grid_.SetRowTexts(0, {});
    for (int c = 0; c < Columns(); ++c)
        grid_.SetObjects(c, 0, nullptr);
    count_ = 0;
    sizeMarked_ = true;
    SetItemIndex(-1);
}

int GridBoxItems::IndexOf(const std::string& text) const {
    const QString wanted = QString::fromStdString(text);
    for (int i = 0; i < count_; ++i)
        if (QString::fromStdString(Get(i)).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void GridBoxItems::Assign(const std::vector<std::string>& texts) {
    Clear();
    for (const std::string& t : texts)
        Add(t);
}

std::string GridBoxItems::GetCell(int row, int col) const {
    if (selectType_ == stRow && col >= 0)
        return grid_.Cells(col, row);
    return Get(row);
}

void GridBoxItems::SetCell(int row, int col, const std::string& text) {
    if (selectType_ == stRow && col >= 0) {
        grid_.SetCells(col, row, text);
        sizeMarked_ = true;
    } else {
        Put(row, text);
    }
}

int GridBoxItems::FindRow(const std::string& code) const {
    for (int i = 0; i < count_; ++i)
        if (GetCell(i, 0) == code)
            return i;
    return -1;
}

void GridBoxItems::SetItemIndex(int index) {
    if (index < 0)
        index = -1;
    if (index == itemIndex_)
        return;
    if (index >= count_)
        throw ERangeError("ItemIndex property out of range");
    // The drop-down first: the change is told last, when it is whole.
    SetPopupValue(index);
    AcceptValue(index);
}

void GridBoxItems::SetItemIndexSilently(int index) {
    itemIndex_ = index;
    SetPopupValue(index);
}

void GridBoxItems::AcceptValue(int index) {
    if (index < 0)
        index = -1;
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    updatingText_ = true;
    try {
        host_.SetBoxText(index < 0 ? std::string() : GetCell(index, 0));
    } catch (...) {
        updatingText_ = false;
        throw;
    }
    updatingText_ = false;
    host_.SetBoxModified();
    host_.BoxChanged();
}

void GridBoxItems::TextChanged() {
    if (updatingText_)
        return;
    if (style_ == gsDropDown) {
        const std::string text = host_.BoxText();
        itemIndex_ = text.empty() ? -1 : IndexOf(text);
    }
    host_.BoxChanged();
}

int GridBoxItems::PopupValue() const {
    if (selectType_ == stRow)
        return grid_.Row();
    return grid_.Row() * Columns() + grid_.Col();
}

void GridBoxItems::SetPopupValue(int index) {
    int col = 0;
    int row = 0;
    if (index >= 0) {
        col = selectType_ == stRow ? 0 : index % Columns();
        row = selectType_ == stRow ? index : index / Columns();
    }
    if (col < grid_.ColCount() && row < grid_.RowCount())
        grid_.FocusCell(col, row);
}

bool GridBoxItems::CanSelectCell(int col, int row) const {
    if (col < 0 || row < 0)
        return false;
    return selectType_ == stRow ? row < count_ : row * Columns() + col < count_;
}

int GridBoxItems::ItemOfCell(int col, int row, int& reportedCol) const {
    reportedCol = selectType_ == stRow ? col : -1;
    return selectType_ == stRow ? row : row * Columns() + col;
}

KeyResult GridBoxItems::HandleKey(GridBoxKey key) {
    const bool previous =
        key == GridBoxKey::Up ||
        (style_ != gsDropDown && (key == GridBoxKey::Left || key == GridBoxKey::PageUp));
    const bool next =
        key == GridBoxKey::Down ||
        (style_ != gsDropDown && (key == GridBoxKey::Right || key == GridBoxKey::PageDown));
    // Decided before the change is told: its handler may close the box.
    const KeyResult result = style_ != gsDropDown ? KeyResult::Consumed
                             : previous || next   ? KeyResult::ConsumedSelectText
                                                  : KeyResult::NotHandled;
    if (previous && itemIndex_ > 0)
        SetItemIndex(itemIndex_ - 1);
    else if (next && itemIndex_ < count_ - 1)
        SetItemIndex(itemIndex_ + 1);
    return result;
}

bool GridBoxItems::SelectByPrefix(const std::string& typed) {
    if (typed.empty() || count_ == 0)
        return false;
    QString prefix = QString::fromStdString(typed);
    // "bbb" steps through the items under b, as "b" typed three times does.
    const bool oneLetter = prefix.count(prefix.front()) == prefix.size();
    if (oneLetter)
        prefix = prefix.left(1);
    const int start = itemIndex_ < 0 ? 0 : itemIndex_ + (oneLetter ? 1 : 0);
    for (int n = 0; n < count_; ++n) {
        const int i = (start + n) % count_;
        if (QString::fromStdString(GetCell(i, 0)).startsWith(prefix, Qt::CaseInsensitive)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void GridBoxItems::SetStyle(TGBStyle style) {
    style_ = style;
    SetItemIndex(-1);
}

void GridBoxItems::SetSelectType(TGBSelectType type) {
    if (type == selectType_)
        return;
    Clear();
    selectType_ = type;
    GridOptions o = grid_.Options() & ~GridOptions(goRowSelect);
    if (type == stRow)
        o |= goRowSelect;
    grid_.SetOptions(o);
    sizeMarked_ = true;
}

void GridBoxItems::SetDropDownCols(int cols) {
    grid_.SetColCount(cols < 0 ? 1 : cols);
    sizeMarked_ = true;
}

void GridBoxItems::SetDropDownRows(int rows) {
    dropDownRows_ = rows < 0 ? 1 : rows;
    sizeMarked_ = true;
}

void GridBoxItems::SetDefaultColWidth(int width) {
    grid_.SetDefaultColWidth(width);
    defaultWidths_ = true;
    sizeMarked_ = true;
}

void GridBoxItems::SetDefaultRowHeight(int height) {
    grid_.SetDefaultRowHeight(height);
    defaultHeights_ = true;
    sizeMarked_ = true;
}

void GridBoxItems::SetColWidth(int col, int width) {
    if (grid_.ColWidths(col) == width)
        return;
    grid_.SetColWidths(col, width);
    defaultWidths_ = false;
    sizeMarked_ = true;
}

void GridBoxItems::SetGridLines(TGBGridLines lines) {
    gridLines_ = lines;
    GridOptions o = grid_.Options() & ~GridOptions(goVertLine | goHorzLine);
    if (lines == glVertical || lines == glBoth)
        o |= goVertLine;
    if (lines == glHorizontal || lines == glBoth)
        o |= goHorzLine;
    grid_.SetOptions(o);
    sizeMarked_ = true;
}

void GridBoxItems::SetGridLineWidth(int width) {
    grid_.SetGridLineWidth(width);
    sizeMarked_ = true;
}

QSize GridBoxItems::DropDownSize(int scrollBarWidth, int borderWidth, int borderHeight) {
    int rows = dropDownRows_;
    if (grid_.RowCount() <= rows) {
        rows = grid_.RowCount();
        scrollBarWidth = 0;
    }
    const bool horz = grid_.HasOption(goHorzLine);
    const bool vert = grid_.HasOption(goVertLine);
    const int lh = horz ? grid_.GridLineWidth() : 0;
    const int lv = vert ? grid_.GridLineWidth() : 0;
    int height = 0;
    if (defaultHeights_) {
        height = rows * (grid_.DefaultRowHeight() + lh);
    } else {
        for (int r = 0; r < rows; ++r)
            height += grid_.RowHeights(r);
        height += rows * lh;
    }
    const int cols = Columns();
    int width = 0;
    if (defaultWidths_) {
        width = cols * (grid_.DefaultColWidth() + lv);
    } else {
        for (int c = 0; c < cols; ++c)
            width += grid_.ColWidths(c);
        width += cols * lv;
    }
    sizeMarked_ = false;
    return {width + scrollBarWidth + borderWidth + (vert ? 0 : 1),
            height + borderHeight + (horz ? 0 : 1)};
}

} // namespace duebell
