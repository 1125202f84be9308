// TTovObjectListGridFiler: the filer an object-list grid refills itself through. Driven by
// SaveToFilerWithSubLists, it writes one grid row per (flattened) record: the row's objects,
// the banding of every second row, and a cell for each column whose property the record (or
// one of its sub-records) has.
#pragma once

#include "controls/tcolor.h"
#include "objectlist/objectlistfiler.h"

namespace duebell {

class TTovObjectListGrid;

class TTovObjectListGridFiler : public TTovObjectListFiler {
public:
    TTovObjectListGridFiler(TTovObjectListGrid& grid, TTovObjectList* list);

    // Empties the grid to its fixed rows and one blank row; the columns forget their classes.
    void BeginWrite(bool& ok) override;
    // The grid keeps a row per record written, at least one.
    void EndWrite() override;
    // Rows are written whole, by WriteSubItemRecord.
    void WriteItem(TTovObjectItem* item) override;
    void WriteSubItemRecord(TTovObjectList& subItems) override;
    // A plan row whose property a column shows maps to that column, which the row's record
    // class claims.
    void MapField(TTovFieldMapping& mapping) override;

private:
    void FillCells(int row, const TTovObjectItem& record);

    TTovObjectListGrid& grid_;
    TColor shade_ = clWhite;
};

} // namespace duebell
