// TTovObjectListGrid: the grid of every list frame. It shows a record list as rows of text, one
// row per record (or, with SubLists, one per record of the nested child lists), in columns
// that name record properties; a row remembers the records it shows, so a frame can edit or
// delete the records of the selected row.
//
// Row objects live only as long as their lists: the grid listens to the list it shows (and to
// the child lists its rows came from) and forgets the rows' records when a record is deleted
// or a list clears or goes away; a shown list that goes away leaves the grid with no list.
// Painting reads the cell texts only, never a record.
#pragma once

#include "controls/cellstylegrid.h"
#include "objectlist/listlistener.h"
#include "objectlist/objectlistfiler.h"

#include <memory>
#include <string>
#include <vector>

namespace duebell {

class TTovObject;
class TTovObjectItemManager;
class TTovObjectListGrid;
class TTovPropInfo;

// One column: its caption (the header cell), the record property it shows (a sub-record's
// property may be named directly) and its width.
class TTovObjectListGridColumn {
public:
    int Index() const { return index_; }
    // The header cell, while the grid has the column.
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    const std::string& PropertyName() const { return propertyName_; }
    void SetPropertyName(std::string name) { propertyName_ = std::move(name); }
    // The grid's width of the column; 0 while the grid does not have it.
    int Width() const;
    void SetWidth(int width);

private:
    friend class TTovObjectListGrid;
    friend class TTovObjectListGridFiler;
    TTovObjectListGridColumn(TTovObjectListGrid& grid, int index) : grid_(grid), index_(index) {}
    // The record class that first supplied the property in this refresh, and its property.
    bool Claim(const TTovObjectItemManager& itemClass, const TTovPropInfo& prop);

    TTovObjectListGrid& grid_;
    int index_;
    std::string propertyName_;
    const TTovObjectItemManager* claimedBy_ = nullptr;
    const TTovPropInfo* prop_ = nullptr;
};

class TTovObjectListGrid : public TCellStyleGrid, private ITovListListener {
    Q_OBJECT

public:
    // One fixed row of captions, no fixed columns, whole rows selected, nothing editable,
    // rows 16 pixels high.
    explicit TTovObjectListGrid(QWidget* parent = nullptr);
    ~TTovObjectListGrid() override;

    // --- Columns -----------------------------------------------------------------------
    // Appends a column (the grid grows to have it).
    TTovObjectListGridColumn& AddColumn(const std::string& caption, std::string propertyName,
                                        int width);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TTovObjectListGridColumn& Column(int index) { return *columns_.at(index); }
    const TTovObjectListGridColumn& Column(int index) const { return *columns_.at(index); }

    // Comma list of child-list (or sub-record) property names, one per level below the list,
    // whose records are shown one per row; empty for a plain list.
    const std::string& SubLists() const { return subLists_; }
    void SetSubLists(std::string subLists) { subLists_ = std::move(subLists); }
    // Decides for each record whether it gets a row.
    TTovObjectListFilterRecord OnFilterRecord;

    // --- The list ----------------------------------------------------------------------
    TTovObjectList* ObjectList() const { return list_; }
    // A different list (or none) is shown from the next refresh, which then selects its latest
    // record when the list is sorted by a date first; the same list again changes nothing.
    void SetObjectList(TTovObjectList* list);
    // Fills the rows from the list (one blank row when there is none or it is empty) and
    // selects the row selected before, then runs the click logic.
    void RefreshGrid();

    // --- Selection ---------------------------------------------------------------------
    // The records of the current row in column order: for a nested row the record of each
    // level, each child list before its record. Empty for a blank row.
    const std::vector<TTovObject*>& SelectedObjects() const { return selected_; }
    // The objects a row holds; empty for fixed and blank rows.
    const std::vector<TTovObject*>& RowObjects(int row) const;
    // The last row holding the object, or -1.
    int FindRow(const TTovObject* object) const;
    // Makes a data row current and runs the click logic.
    void SelectRow(int row);

    // Unlinks each selected record from its list and frees it, from the last to the first:
    // the first from the grid's list, a later one from the child list just before it (a
    // record not preceded by a list is left alone). Then runs the click logic. The caller
    // refreshes the grids and marks the loan book modified.
    void DeleteSelected();

protected:
    // The click logic: unless the grid is refilling, the selected records are taken from the
    // current row, then the click event (OnClick) runs.
    void Click() override;

private:
    friend class TTovObjectListGridFiler;

    // ITovListListener
    void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) override;

    // Rows and their objects, for the filer.
    void BeginRows();
    void StoreRow(int row, std::vector<TTovObject*> objects);
    void EndRows(int written);
    void EnsureRows(int rows);
    void Listen(TTovObjectList* list);
    void StopListening();
    void StopListeningToChildLists();
    void ForgetAllRows();
    void ForgetRowsHolding(const TTovObject* object);
    void BlankDataRow();

    std::vector<std::unique_ptr<TTovObjectListGridColumn>> columns_;
    std::string subLists_;
    TTovObjectList* list_ = nullptr;
    bool newList_ = false;
    bool updating_ = false;
    std::vector<std::vector<TTovObject*>> rowObjects_; // by grid row
    std::vector<TTovObject*> selected_;
    std::vector<TTovObjectList*> listened_; // the shown list first
};

} // namespace duebell
