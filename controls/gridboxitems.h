// The item list and selection of a drop-down grid box, on the drop-down grid's data: an item
// is one grid row (stRow: its cells as comma text, the code in column 0) or one cell (stCell,
// counted row by row), ItemIndex selects one, and the box's text follows the selection.
#pragma once

#include "controls/rangeerror.h"
#include "controls/stringgriddata.h"

#include <QSize>
#include <string>
#include <vector>

namespace duebell {

enum TGBStyle { gsDropDown, gsDropDownList, gsOwnerDraw };
enum TGBSelectType { stCell, stRow };
enum TGBGridLines { glNone, glHorizontal, glVertical, glBoth };

// What the item list needs of its box.
class GridBoxHost {
public:
    virtual ~GridBoxHost() = default;
    virtual std::string BoxText() const = 0;
    // Sets the text without any change notification.
    virtual void SetBoxText(const std::string& text) = 0;
    // The change notification (OnChange), always the last thing a change does: its handler
    // may delete the box.
    virtual void BoxChanged() = 0;
    virtual void SetBoxModified() = 0;
};

// A key the box reacts to (no Shift, Ctrl or Alt held).
enum class GridBoxKey { Up, Down, Left, Right, PageUp, PageDown, Other };
enum class KeyResult { NotHandled, Consumed, ConsumedSelectText };

class GridBoxItems {
public:
    GridBoxItems(StringGridData& grid, GridBoxHost& host);

    // --- Items -------------------------------------------------------------------------
    int Count() const { return count_; }
    std::string Get(int index) const;
    void Put(int index, const std::string& text);
    // An item's object is its owner's; the box never dereferences it.
    void* GetObject(int index) const;
    void PutObject(int index, void* object);
    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    // Texts and objects of the later items move up one place; the selection stays on its
    // record, and a list emptied this way leaves the box's text empty.
    void Delete(int index);
    void Clear();
    // Empties the list for a refill: no selection afterwards, the box's text left alone and no
    // change reported, so a refill that chooses the same code again reports one change only.
    void ClearForRefill();
    // Case-insensitive comparison with Get(i): in stRow against a row's comma text.
    int IndexOf(const std::string& text) const;
    // Clears, then adds each text.
    void Assign(const std::vector<std::string>& texts);

    // stRow with col >= 0: the grid cell (col, row); otherwise the item `row`. Writing a cell
    // leaves the item count alone.
    std::string GetCell(int row, int col) const;
    void SetCell(int row, int col, const std::string& text);
    // The first item whose code (GetCell(i, 0)) equals the text exactly, or -1.
    int FindRow(const std::string& code) const;

    // --- Selection ---------------------------------------------------------------------
    int ItemIndex() const { return itemIndex_; }
    // Fires the change notification once per real change; a negative index means no
    // selection (-1); an index at or past the count raises ERangeError.
    void SetItemIndex(int index);
    // Takes an index picked in the drop-down.
    void AcceptValue(int index);
    // The box's text changed (typed, or set from outside the selection).
    void TextChanged();
    // The drop-down grid's current cell as an item index, and the way back.
    int PopupValue() const;
    void SetPopupValue(int index);
    bool CanSelectCell(int col, int row) const;
    // The item of a grid cell and the column the pick reports (-1 in stCell).
    int ItemOfCell(int col, int row, int& reportedCol) const;

    KeyResult HandleKey(GridBoxKey key);
    // Type-ahead of a list-style box: chooses the first item, counting on from the chosen one
    // and round, whose shown text (its code) begins with `typed`, ignoring case. A letter
    // typed again (or a run of one letter) moves on to the next such item; a longer prefix
    // may keep the chosen item. False when no item begins so.
    bool SelectByPrefix(const std::string& typed);

    // --- Shape -------------------------------------------------------------------------
    TGBStyle Style() const { return style_; }
    // Clears the selection.
    void SetStyle(TGBStyle style);
    TGBSelectType SelectType() const { return selectType_; }
    // Clears the items first.
    void SetSelectType(TGBSelectType type);
    int DropDownCols() const { return grid_.ColCount(); }
    void SetDropDownCols(int cols);
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int rows);
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);
    void SetColWidth(int col, int width);
    TGBGridLines GridLines() const { return gridLines_; }
    void SetGridLines(TGBGridLines lines);
    void SetGridLineWidth(int width);

    bool SizeMarked() const { return sizeMarked_; }
    void MarkSize() { sizeMarked_ = true; }
    // The drop-down's size for DropDownRows visible rows; clears the mark.
    QSize DropDownSize(int scrollBarWidth, int borderWidth, int borderHeight);

private:
    int Columns() const { return grid_.ColCount(); }
    // Text and object of an item, moved as one.
    struct Item {
        std::vector<std::string> texts;
        void* object = nullptr;
    };
    Item Take(int index) const;
    void Place(int index, const Item& item);
    void SetItemIndexSilently(int index);

    StringGridData& grid_;
    GridBoxHost& host_;
    int count_ = 0;
    int itemIndex_ = -1;
    bool updatingText_ = false;
    TGBStyle style_ = gsDropDown;
    TGBSelectType selectType_ = stCell;
    TGBGridLines gridLines_ = glBoth;
    int dropDownRows_ = 5;
    bool defaultWidths_ = true;
    bool defaultHeights_ = true;
    bool sizeMarked_ = true;
};

} // namespace duebell
