#include "controls/cellstyles.h"

namespace duebell {

namespace {

// New index of `index` after the line at `from` moved to `to`.
int MovedIndex(int index, int from, int to) {
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (to < from && index >= to && index < from)
        return index + 1;
    return index;
}

template <class Map, class F> Map Remapped(Map& store, F&& newKey) {
    Map result;
    for (auto& [key, set] : store)
        result[newKey(key)] = std::move(set);
    return result;
}

int Swapped(int index, int a, int b) {
    return index == a ? b : index == b ? a : index;
}

} // namespace

CellStyles::CellStyles(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

std::unique_ptr<TCellProperties> CellStyles::NewSet() const {
    return std::make_unique<TCellProperties>([this] { Changed(); });
}

TCellProperties* CellStyles::Find(const Store& store, int index) {
    auto it = store.find(index);
    return it == store.end() ? nullptr : it->second.get();
}

TCellProperties& CellStyles::Ensure(Store& store, int index) {
    auto& slot = store[index];
    if (!slot)
        slot = NewSet();
    return *slot;
}

TCellProperties* CellStyles::FindCell(int col, int row) const {
    auto it = cells_.find({col, row});
    return it == cells_.end() ? nullptr : it->second.get();
}
TCellProperties* CellStyles::FindCol(int col) const {
    return Find(cols_, col);
}
TCellProperties* CellStyles::FindRow(int row) const {
    return Find(rows_, row);
}
TCellProperties* CellStyles::FindFixedCol(int col) const {
    return Find(fixedCols_, col);
}
TCellProperties* CellStyles::FindFixedRow(int row) const {
    return Find(fixedRows_, row);
}

TCellProperties& CellStyles::Cell(int col, int row) {
    auto& slot = cells_[{col, row}];
    if (!slot)
        slot = NewSet();
    return *slot;
}
TCellProperties& CellStyles::Col(int col) {
    return Ensure(cols_, col);
}
TCellProperties& CellStyles::Row(int row) {
    return Ensure(rows_, row);
}
TCellProperties& CellStyles::FixedCol(int col) {
    return Ensure(fixedCols_, col);
}
TCellProperties& CellStyles::FixedRow(int row) {
    return Ensure(fixedRows_, row);
}

void CellStyles::ReplaceCell(int col, int row, std::unique_ptr<TCellProperties> set) {
    cells_[{col, row}] = std::move(set);
    Changed();
}
void CellStyles::ReplaceCol(int col, std::unique_ptr<TCellProperties> set) {
    cols_[col] = std::move(set);
    Changed();
}
void CellStyles::ReplaceRow(int row, std::unique_ptr<TCellProperties> set) {
    rows_[row] = std::move(set);
    Changed();
}
void CellStyles::ReplaceFixedCol(int col, std::unique_ptr<TCellProperties> set) {
    fixedCols_[col] = std::move(set);
    Changed();
}
void CellStyles::ReplaceFixedRow(int row, std::unique_ptr<TCellProperties> set) {
    fixedRows_[row] = std::move(set);
    Changed();
}

std::vector<std::pair<std::pair<int, int>, const TCellProperties*>> CellStyles::CellSets() const {
    std::vector<std::pair<std::pair<int, int>, const TCellProperties*>> sets;
    for (const auto& [key, set] : cells_)
        if (set)
            sets.emplace_back(key, set.get());
    return sets;
}

void CellStyles::SetColorRow(int row, TColor color) {
    TCellProperties& set = Row(row);
    TMyBrush brush = set.Brush().value_or(TMyBrush{});
    brush.Color = color;
    set.SetBrush(brush);
}

void CellStyles::ResetColorRow(int row) {
    if (TCellProperties* set = FindRow(row))
        set->SetBrush(std::nullopt);
}

bool CellStyles::IsFixed(int col, int row) const {
    return col < defaults_.FixedCols || row < defaults_.FixedRows;
}

std::vector<const TCellProperties*> CellStyles::Chain(int col, int row) const {
    const bool fixed = IsFixed(col, row);
    std::vector<const TCellProperties*> chain;
    for (const TCellProperties* set : {FindCell(col, row), fixed ? FindFixedCol(col) : FindCol(col),
                                       fixed ? FindFixedRow(row) : FindRow(row)})
        if (set != nullptr)
            chain.push_back(set);
    return chain;
}

TMyAlign CellStyles::CellAlignment(int col, int row) const {
    for (const TCellProperties* set : Chain(col, row))
        if (set->Align() != alDefault)
            return set->Align();
    return defaults_.Alignment == alDefault ? alLeft : defaults_.Alignment;
}

T_Wordwrap CellStyles::CellWordwrap(int col, int row) const {
    for (const TCellProperties* set : Chain(col, row))
        if (set->Wordwrap() != ww_default)
            return set->Wordwrap();
    return defaults_.Wordwrap == ww_default ? ww_none : defaults_.Wordwrap;
}

bool CellStyles::CellEditable(int col, int row) const {
    for (const TCellProperties* set : Chain(col, row))
        if (set->EditFlag() != 0)
            return set->EditFlag() == 2;
    return defaults_.Editable;
}

TMyFont CellStyles::CellFont(int col, int row) const {
    for (const TCellProperties* set : Chain(col, row))
        if (set->Font())
            return *set->Font();
    return IsFixed(col, row) ? defaults_.FixedFont : defaults_.Font;
}

TMyBrush CellStyles::CellBrush(int col, int row) const {
    for (const TCellProperties* set : Chain(col, row))
        if (set->Brush())
            return *set->Brush();
    return IsFixed(col, row) ? defaults_.FixedBrush : defaults_.Brush;
}

TColor CellStyles::CellSelectedColor(int col, int row) const {
    for (const TCellProperties* set : {FindCell(col, row), FindCol(col), FindRow(row)})
        if (set != nullptr && set->SelectedBrush())
            return set->SelectedBrush()->Color;
    return defaults_.SelectedCellColor;
}

TColor CellStyles::CellSelectedFontColor(int col, int row) const {
    for (const TCellProperties* set : {FindCell(col, row), FindCol(col), FindRow(row)})
        if (set != nullptr && set->SelectedFont())
            return set->SelectedFont()->Color;
    return defaults_.SelectedFontColor;
}

void CellStyles::RemapRows(const std::function<int(int)>& newIndex) {
    rows_ = Remapped(rows_, newIndex);
    fixedRows_ = Remapped(fixedRows_, newIndex);
    cells_ = Remapped(cells_, [&](std::pair<int, int> k) {
        return std::pair{k.first, newIndex(k.second)};
    });
    Changed();
}

void CellStyles::RemapCols(const std::function<int(int)>& newIndex) {
    cols_ = Remapped(cols_, newIndex);
    fixedCols_ = Remapped(fixedCols_, newIndex);
    cells_ = Remapped(cells_, [&](std::pair<int, int> k) {
        return std::pair{newIndex(k.first), k.second};
    });
    Changed();
}

void CellStyles::ExchangeRows(int a, int b) {
    RemapRows([&](int r) { return Swapped(r, a, b); });
}

void CellStyles::ExchangeCols(int a, int b) {
    RemapCols([&](int c) { return Swapped(c, a, b); });
}

void CellStyles::MoveRow(int from, int to) {
    RemapRows([&](int r) { return MovedIndex(r, from, to); });
}

void CellStyles::MoveCol(int from, int to) {
    RemapCols([&](int c) { return MovedIndex(c, from, to); });
}

} // namespace duebell
