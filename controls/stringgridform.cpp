#include "controls/stringgridform.h"

namespace duebell {

namespace {

void WriteIntegerProperty(StoredForm& form, const char* name, int value, int defaultValue) {
    if (value == defaultValue)
        return;
    FormWriter(form.emplace_back(FormProperty{name, {}})).WriteInteger(value);
}

int ReadInt(const FormProperty& p) {
    return static_cast<int>(FormReader(p).ReadInteger());
}

} // namespace

void WriteStringGridProperties(const StringGridData& grid, StoredForm& form) {
    WriteIntegerProperty(form, "ColCount", grid.ColCount(), 5);
    WriteIntegerProperty(form, "RowCount", grid.RowCount(), 5);
    WriteIntegerProperty(form, "DefaultColWidth", grid.DefaultColWidth(), 64);
    WriteIntegerProperty(form, "DefaultRowHeight", grid.DefaultRowHeight(), 24);
    WriteIntegerProperty(form, "FixedCols", grid.FixedCols(), 1);
    WriteIntegerProperty(form, "FixedRows", grid.FixedRows(), 1);
    WriteIntegerProperty(form, "GridLineWidth", grid.GridLineWidth(), 1);
    if (grid.HasCustomColWidths()) {
        FormWriter w(form.emplace_back(FormProperty{"ColWidths", {}}));
        w.WriteListBegin();
        for (int c = 0; c < grid.ColCount(); ++c)
            w.WriteInteger(grid.ColWidths(c));
        w.WriteListEnd();
    }
    if (grid.HasCustomRowHeights()) {
        FormWriter w(form.emplace_back(FormProperty{"RowHeights", {}}));
        w.WriteListBegin();
        for (int r = 0; r < grid.RowCount(); ++r)
            w.WriteInteger(grid.RowHeights(r));
        w.WriteListEnd();
    }
}

bool ReadStringGridProperty(const FormProperty& p, StringGridData& grid) {
    if (p.name == "ColCount") {
        grid.SetColCount(ReadInt(p));
    } else if (p.name == "RowCount") {
        grid.SetRowCount(ReadInt(p));
    } else if (p.name == "DefaultColWidth") {
        grid.SetDefaultColWidth(ReadInt(p));
    } else if (p.name == "DefaultRowHeight") {
        grid.SetDefaultRowHeight(ReadInt(p));
    } else if (p.name == "FixedCols") {
        grid.SetFixedCols(ReadInt(p));
    } else if (p.name == "FixedRows") {
        grid.SetFixedRows(ReadInt(p));
    } else if (p.name == "GridLineWidth") {
        grid.SetGridLineWidth(ReadInt(p));
    } else if (p.name == "ColWidths" || p.name == "RowHeights") {
        FormReader r(p);
        r.ReadListBegin();
        for (int i = 0; !r.EndOfList(); ++i) {
            const int size = static_cast<int>(r.ReadInteger());
            if (p.name == "ColWidths" && i < grid.ColCount())
                grid.SetColWidths(i, size);
            else if (p.name == "RowHeights" && i < grid.RowCount())
                grid.SetRowHeights(i, size);
        }
        r.ReadListEnd();
    } else {
        return false;
    }
    return true;
}

} // namespace duebell
