#include "controls/cellstyleform.h"

#include <functional>

namespace duebell {

namespace {

using CellSetter = std::function<void(TCellProperties&)>;

void WriteIndexedStore(FormProperty& property, int count,
                       const std::function<const TCellProperties*(int)>& find, bool skipEmpty) {
    FormWriter w(property);
    w.WriteListBegin();
    for (int i = 0; i < count; ++i) {
        const TCellProperties* set = find(i);
        if (set == nullptr || (skipEmpty && set->IsEmpty()))
            continue;
        w.WriteInteger(i);
        set->WriteTo(w);
    }
    w.WriteListEnd();
}

int ReadIndex(FormReader& r) {
    return static_cast<int>(r.ReadInteger());
}

// "PropCol" and its kin: (index, record) pairs, each a new set in place of the old one.
void ReadIndexedSets(const FormProperty& property, CellStyles& styles,
                     void (CellStyles::*replace)(int, std::unique_ptr<TCellProperties>)) {
    FormReader r(property);
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const int index = ReadIndex(r);
        auto set = styles.NewSet();
        set->ReadFrom(r);
        (styles.*replace)(index, std::move(set));
    }
    r.ReadListEnd();
}

// Older forms: byte records of (column 16-bit, row 16-bit, value byte) or (index 16-bit,
// value byte), little-endian, to the end of the data.
int Int16At(const std::string& bytes, std::size_t at) {
    const auto lo = static_cast<unsigned char>(bytes[at]);
    const auto hi = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<std::int16_t>(lo | (hi << 8));
}

void ReadCellBytes(const FormProperty& property, CellStyles& styles,
                   const std::function<void(TCellProperties&, int)>& apply) {
    const std::string bytes = FormReader(property).ReadBinary();
    for (std::size_t at = 0; at + 5 <= bytes.size(); at += 5)
        apply(styles.Cell(Int16At(bytes, at), Int16At(bytes, at + 2)),
              static_cast<unsigned char>(bytes[at + 4]));
}

void ReadLineBytes(const FormProperty& property, const std::function<TCellProperties&(int)>& line,
                   const std::function<void(TCellProperties&, int)>& apply) {
    const std::string bytes = FormReader(property).ReadBinary();
    for (std::size_t at = 0; at + 3 <= bytes.size(); at += 3)
        apply(line(Int16At(bytes, at)), static_cast<unsigned char>(bytes[at + 2]));
}

// Older forms' lists: (column, row, value) or (index, value) entries.
void ReadCellList(const FormProperty& property, CellStyles& styles,
                  const std::function<void(TCellProperties&, FormReader&)>& apply) {
    FormReader r(property);
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const int col = ReadIndex(r);
        const int row = ReadIndex(r);
        apply(styles.Cell(col, row), r);
    }
    r.ReadListEnd();
}

void ReadLineList(const FormProperty& property, const std::function<TCellProperties&(int)>& line,
                  const std::function<void(TCellProperties&, FormReader&)>& apply) {
    FormReader r(property);
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const int index = ReadIndex(r);
        apply(line(index), r);
    }
    r.ReadListEnd();
}

void ReadTextList(const FormProperty& property, std::map<std::pair<int, int>, std::string>& into) {
    FormReader r(property);
    r.ReadListBegin();
    while (!r.EndOfList()) {
        const int col = ReadIndex(r);
        const int row = ReadIndex(r);
        into[{col, row}] = r.ReadString();
    }
    r.ReadListEnd();
}

void ApplyAlign(TCellProperties& s, int v) {
    s.SetAlign(static_cast<TMyAlign>(v));
}
void ApplyEdit(TCellProperties& s, int v) {
    s.SetEditFlag(static_cast<std::uint8_t>(v));
}
void ApplyFont(TCellProperties& s, FormReader& r) {
    s.SetFont(ReadFont(r));
}
void ApplyBrush(TCellProperties& s, FormReader& r) {
    s.SetBrush(ReadBrush(r));
}
void ApplyColor(TCellProperties& s, FormReader& r) {
    s.SetBrush(TMyBrush{static_cast<TColor>(r.ReadInteger()), bsSolid});
}
void ApplySelectedColor(TCellProperties& s, FormReader& r) {
    s.SetSelectedBrush(TMyBrush{static_cast<TColor>(r.ReadInteger()), bsSolid});
}

} // namespace

void WriteCellStyleProperties(const StringGridData& grid, const CellStyles& styles,
                              const CellStyleFormState& state, StoredForm& form) {
    if (state.hintsRead) {
        FormProperty& p = form.emplace_back(FormProperty{"HintCell", {}});
        FormWriter w(p);
        w.WriteListBegin();
        for (const auto& [cell, hint] : state.hints) {
            w.WriteInteger(cell.first);
            w.WriteInteger(cell.second);
            w.WriteString(hint);
        }
        w.WriteListEnd();
    }
    if (state.cellsRead) {
        FormProperty& p = form.emplace_back(FormProperty{"Cells", {}});
        FormWriter w(p);
        w.WriteListBegin();
        for (int c = 0; c < grid.ColCount(); ++c)
            for (int r = 0; r < grid.RowCount(); ++r)
                if (!grid.Cells(c, r).empty()) {
                    w.WriteInteger(c);
                    w.WriteInteger(r);
                    w.WriteString(grid.Cells(c, r));
                }
        w.WriteListEnd();
    }
    {
        FormProperty& p = form.emplace_back(FormProperty{"PropCell", {}});
        FormWriter w(p);
        w.WriteListBegin();
        for (const auto& [cell, set] : styles.CellSets()) {
            if (set->IsEmpty())
                continue;
            w.WriteInteger(cell.first);
            w.WriteInteger(cell.second);
            set->WriteTo(w);
        }
        w.WriteListEnd();
    }
    WriteIndexedStore(
        form.emplace_back(FormProperty{"PropCol", {}}), grid.ColCount(),
        [&](int i) { return styles.FindCol(i); }, true);
    WriteIndexedStore(
        form.emplace_back(FormProperty{"PropRow", {}}), grid.RowCount(),
        [&](int i) { return styles.FindRow(i); }, false);
    WriteIndexedStore(
        form.emplace_back(FormProperty{"PropFixedCol", {}}), grid.ColCount(),
        [&](int i) { return styles.FindFixedCol(i); }, true);
    WriteIndexedStore(
        form.emplace_back(FormProperty{"PropFixedRow", {}}), grid.RowCount(),
        [&](int i) { return styles.FindFixedRow(i); }, false);
}

bool ReadCellStyleProperty(const FormProperty& p, CellStyles& styles, CellStyleFormState& state) {
    const std::string& n = p.name;
    auto col = [&](int i) -> TCellProperties& { return styles.Col(i); };
    auto row = [&](int i) -> TCellProperties& { return styles.Row(i); };
    auto fixedCol = [&](int i) -> TCellProperties& { return styles.FixedCol(i); };
    auto fixedRow = [&](int i) -> TCellProperties& { return styles.FixedRow(i); };

    if (n == "HintCell") {
        ReadTextList(p, state.hints);
        state.hintsRead = true;
    } else if (n == "Cells") {
        ReadTextList(p, state.storedCells);
        state.cellsRead = true;
    } else if (n == "PropCell") {
        FormReader r(p);
        r.ReadListBegin();
        while (!r.EndOfList()) {
            const int c = ReadIndex(r);
            const int rw = ReadIndex(r);
            auto set = styles.NewSet();
            set->ReadFrom(r);
            styles.ReplaceCell(c, rw, std::move(set));
        }
        r.ReadListEnd();
    } else if (n == "PropCol") {
        ReadIndexedSets(p, styles, &CellStyles::ReplaceCol);
    } else if (n == "PropRow") {
        ReadIndexedSets(p, styles, &CellStyles::ReplaceRow);
    } else if (n == "PropFixedCol") {
        ReadIndexedSets(p, styles, &CellStyles::ReplaceFixedCol);
    } else if (n == "PropFixedRow") {
        ReadIndexedSets(p, styles, &CellStyles::ReplaceFixedRow);
    } else if (n == "AlignCell") {
        ReadCellBytes(p, styles, ApplyAlign);
    } else if (n == "AlignCol") {
        ReadLineBytes(p, col, ApplyAlign);
    } else if (n == "FixedAlignCol") {
        ReadLineBytes(p, fixedCol, ApplyAlign);
    } else if (n == "AlignRow") {
        ReadLineBytes(p, row, ApplyAlign);
    } else if (n == "FixedAlignRow") {
        ReadLineBytes(p, fixedRow, ApplyAlign);
    } else if (n == "EditCell") {
        ReadCellBytes(p, styles, ApplyEdit);
    } else if (n == "EditCol") {
        ReadLineBytes(p, col, ApplyEdit);
    } else if (n == "EditRow") {
        ReadLineBytes(p, row, ApplyEdit);
    } else if (n == "FontCell") {
        ReadCellList(p, styles, ApplyFont);
    } else if (n == "FontCol") {
        ReadLineList(p, col, ApplyFont);
    } else if (n == "FontFixedCol") {
        ReadLineList(p, fixedCol, ApplyFont);
    } else if (n == "FontRow") {
        ReadLineList(p, row, ApplyFont);
    } else if (n == "FontFixedRow") {
        ReadLineList(p, fixedRow, ApplyFont);
    } else if (n == "BrushCell") {
        ReadCellList(p, styles, ApplyBrush);
    } else if (n == "BrushCol") {
        ReadLineList(p, col, ApplyBrush);
    } else if (n == "BrushFixedCol") {
        ReadLineList(p, fixedCol, ApplyBrush);
    } else if (n == "BrushRow") {
        ReadLineList(p, row, ApplyBrush);
    } else if (n == "BrushFixedRow") {
        ReadLineList(p, fixedRow, ApplyBrush);
    } else if (n == "ColorCell") {
        ReadCellList(p, styles, ApplyColor);
    } else if (n == "ColorCol") {
        ReadLineList(p, col, ApplyColor);
    } else if (n == "ColorFixedCol") {
        ReadLineList(p, fixedCol, ApplyColor);
    } else if (n == "ColorRow") {
        ReadLineList(p, row, ApplyColor);
    } else if (n == "ColorFixedRow") {
        ReadLineList(p, fixedRow, ApplyColor);
    } else if (n == "SelectedColorCell") {
        ReadCellList(p, styles, ApplySelectedColor);
    } else if (n == "SelectedColorCol") {
        ReadLineList(p, col, ApplySelectedColor);
    } else if (n == "SelectedColorRow") {
        ReadLineList(p, row, ApplySelectedColor);
    } else {
        return false;
    }
    return true;
}

void ApplyStoredCells(StringGridData& grid, CellStyleFormState& state) {
    if (!state.cellsRead)
        return;
    for (int c = 0; c < grid.ColCount(); ++c)
        for (int r = 0; r < grid.RowCount(); ++r) {
            auto it = state.storedCells.find({c, r});
            grid.SetCells(c, r, it == state.storedCells.end() ? std::string() : it->second);
        }
    state.storedCells.clear();
}

} // namespace duebell
