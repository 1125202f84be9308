// A string grid's own stored-form properties: its shape and sizes, each written only when it
// differs from the class library's default.
#pragma once

#include "controls/formstream.h"
#include "controls/stringgriddata.h"

namespace duebell {

// "ColCount", "RowCount", "DefaultColWidth", "DefaultRowHeight", "FixedCols", "FixedRows",
// "GridLineWidth", then "ColWidths" and "RowHeights" (lists) when any size is individual.
void WriteStringGridProperties(const StringGridData& grid, StoredForm& form);
// Reads one of them; false for a name that is not one of them.
bool ReadStringGridProperty(const FormProperty& property, StringGridData& grid);

} // namespace duebell
