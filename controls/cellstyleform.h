// The aligned string grid's extra stored-form properties: cell texts and hints read from a
// form, and the attribute sets of cells, columns and rows. Older forms' per-attribute
// properties are read too (never written).
#pragma once

#include "controls/cellstyles.h"
#include "controls/formstream.h"
#include "controls/stringgriddata.h"

#include <map>
#include <string>
#include <utility>

namespace duebell {

// What the grid keeps of its stored form besides the attribute sets.
struct CellStyleFormState {
    std::map<std::pair<int, int>, std::string> hints;       // (col, row) -> hint text
    std::map<std::pair<int, int>, std::string> storedCells; // texts read, held until loaded
    bool hintsRead = false;
    bool cellsRead = false;
};

// Appends, in this order: "HintCell" (when hints were read), "Cells" (when cell texts were
// read), "PropCell", "PropCol", "PropRow", "PropFixedCol", "PropFixedRow".
void WriteCellStyleProperties(const StringGridData& grid, const CellStyles& styles,
                              const CellStyleFormState& state, StoredForm& form);

// Reads one of the grid's extra properties; false for a name that is not one of them.
bool ReadCellStyleProperty(const FormProperty& property, CellStyles& styles,
                           CellStyleFormState& state);

// After loading, when cell texts were read: every cell takes its stored text or is emptied,
// and the stored texts are dropped.
void ApplyStoredCells(StringGridData& grid, CellStyleFormState& state);

} // namespace duebell
