// TGridBox: the pick list of the dialogs. An edit field with a drop-down button whose
// drop-down is a multi-column string grid: in row mode each grid row is one record (a code in
// column 0, descriptive texts beside it) and the field shows the code of the chosen row. The
// item list and the selection live in GridBoxItems; this is the widget around them. F4 opens
// and closes the drop-down, and so does a click on the text of a list-style box; in the list
// styles typing chooses the item whose code begins with what was typed.
#pragma once

#include "controls/comboedit.h"
#include "controls/gridboxitems.h"
#include "controls/popupwindow.h"
#include "controls/stringgrid.h"
#include "controls/uihooks.h"

#include <QElapsedTimer>
#include <functional>
#include <string>

namespace duebell {

class TGridBox;

// The drop-down's grid.
class TGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TGrid(TGridBox* box, QWidget* parent);

protected:
    void DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                  TGridDrawState state) override;
    // The grid's current cell only ever stands on a cell that holds an item: a press or a key
    // that would take it elsewhere leaves it where it is. A pick starts only on a press of the
    // left button with no other button and no modifier key held.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    TGridBox* box_;
};

class TDropDownGrid : public TPopupWindow {
    Q_OBJECT
public:
    explicit TDropDownGrid(TGridBox* box);
    TGrid* Grid() const { return grid_; }
    QVariant GetValue() const override;
    void SetValue(const QVariant& value) override;
    void CloseUp(bool accept) override;
    bool pickPending = false;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TGridBox* box_;
    TGrid* grid_;
};

enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TOwnerDrawState = unsigned;

class TGridBox : public TCustomComboEdit, private GridBoxHost {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(int SelectType READ SelectType WRITE SetSelectType)
    Q_PROPERTY(int DropDownCols READ DropDownCols WRITE SetDropDownCols)
    Q_PROPERTY(int DropDownRows READ DropDownRows WRITE SetDropDownRows)
    Q_PROPERTY(int GridLines READ GridLines WRITE SetGridLines)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(int Color READ Color WRITE SetColor)

public:
    explicit TGridBox(QWidget* parent = nullptr);
    ~TGridBox() override;

    GridBoxItems& Items() { return items_; }
    const GridBoxItems& Items() const { return items_; }
    TDropDownGrid* DropDownGrid() const { return dropDown_; }

    int ItemIndex() const { return items_.ItemIndex(); }
    void SetItemIndex(int index);
    std::string GetCell(int row, int col) const { return items_.GetCell(row, col); }
    void SetCell(int row, int col, const std::string& text) { items_.SetCell(row, col, text); }
    int FindRow(const std::string& code) const { return items_.FindRow(code); }
    void SetColWidth(int col, int width) { items_.SetColWidth(col, width); }

    int Style() const { return items_.Style(); }
    void SetStyle(int style);
    int SelectType() const { return items_.SelectType(); }
    void SetSelectType(int type) { items_.SetSelectType(static_cast<TGBSelectType>(type)); }
    int DropDownCols() const { return items_.DropDownCols(); }
    void SetDropDownCols(int cols) { items_.SetDropDownCols(cols); }
    int DropDownRows() const { return items_.DropDownRows(); }
    void SetDropDownRows(int rows) { items_.SetDropDownRows(rows); }
    int GridLines() const { return items_.GridLines(); }
    void SetGridLines(int lines) { items_.SetGridLines(static_cast<TGBGridLines>(lines)); }
    int GridLineWidth() const;
    void SetGridLineWidth(int width) { items_.SetGridLineWidth(width); }
    int DefaultColWidth() const;
    void SetDefaultColWidth(int width) { items_.SetDefaultColWidth(width); }
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int height) { items_.SetDefaultRowHeight(height); }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    TColor Color() const { return color_; }
    void SetColor(int color);
    // The cursor of button and grid; the edit part shows the text cursor while typing is
    // possible.
    void SetCursor(TCursor cursor);

    void DropDown() override;
    void HidePopup() override;
    void AcceptValue(const QVariant& value) override;
    void PopupKeyPress(QKeyEvent* event) override;
    // The height the font asks for (text height + 8), except for owner-drawn boxes.
    void AdjustHeight();

    // Draws one item (OnDrawItem when assigned).
    virtual void DrawItem(QPainter& canvas, int index, int col, const QRect& rect,
                          TOwnerDrawState state);
    // Whether an item may be picked (OnClickItem may refuse).
    virtual bool ClickItem(int index, int col);

    std::function<void(QPainter& canvas, int index, int col, const QRect& rect,
                       TOwnerDrawState state)>
        OnDrawItem;
    // A handler may close (delete) the box's window.
    std::function<void(int index, int col, bool& canSelect)> OnClickItem;

protected:
    void Change() override;
    void PreparePopup() override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // A click on the text part of a list-style box drops it down, as its button does.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class TGrid;
    // GridBoxHost
    std::string BoxText() const override;
    void SetBoxText(const std::string& text) override;
    void BoxChanged() override;
    void SetBoxModified() override;

    // A printable key typed into a list-style box; true when it was taken.
    bool TypeAhead(const QString& typed);
    void ApplyColor();
    void PaintListText(QPainter& painter, const QRect& area);
    void PaintFlatFrame(QPainter& painter);

    TDropDownGrid* dropDown_;
    GridBoxItems items_;
    TColor color_ = clWindow;
    TCursor cursor_ = crDefault;
    bool flat_ = false;
    bool mouseInside_ = false;
    bool textPressed_ = false;
    // Set while the press that closed the drop-down is still being handled, so that press
    // (replayed to the box) does not open it again.
    bool closingUp_ = false;
    QString typed_;
    bool forwardingKey_ = false; // a cursor key is on its way to the drop-down's grid
    QElapsedTimer typedTimer_;
};

} // namespace duebell
