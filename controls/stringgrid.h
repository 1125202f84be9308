// TStringGrid: the class library's string grid on a QTableView. The scrolling cells are the
// view's; the fixed rows and columns are painted by the view's two headers (and a corner
// piece), so they stay in place while the cells scroll, as in the original grid. Every cell,
// fixed or not, is painted through DrawCell, which descendants override.
#pragma once

#include "controls/stringgriddata.h"
#include "controls/tcolor.h"

#include <QFontMetrics>
#include <QTableView>
#include <functional>
#include <string>

namespace duebell {

class StringGridModel;
class FixedCellsHeader;
class FixedCellsCorner;

enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The area a cell's text is drawn in: 2 pixels inside the cell, less at the top when a line of
// the font would not fit otherwise (row heights are set for the Windows dialog font).
QRect CellTextArea(const QRect& cell, const QFontMetrics& metrics);

class TStringGrid : public QTableView, protected StringGridObserver {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(int Col READ Col WRITE SetCol)
    Q_PROPERTY(int Row READ Row WRITE SetRow)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int FixedColor READ FixedColor WRITE SetFixedColor)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)

public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    StringGridData& Data() { return data_; }
    const StringGridData& Data() const { return data_; }

    int ColCount() const { return data_.ColCount(); }
    void SetColCount(int count) { data_.SetColCount(count); }
    int RowCount() const { return data_.RowCount(); }
    void SetRowCount(int count) { data_.SetRowCount(count); }
    int FixedCols() const { return data_.FixedCols(); }
    void SetFixedCols(int count) { data_.SetFixedCols(count); }
    int FixedRows() const { return data_.FixedRows(); }
    void SetFixedRows(int count) { data_.SetFixedRows(count); }
    const std::string& Cells(int col, int row) const { return data_.Cells(col, row); }
    void SetCells(int col, int row, const std::string& text) { data_.SetCells(col, row, text); }
    // A cell's object is its owner's: the grid keeps the pointer and moves it with its row
    // and column, but never dereferences it, not while painting, hinting or sorting. Whoever
    // puts records there keeps what it needs to find them again and clears the objects before
    // the records go (an object-list grid drops its rows when its list clears or goes away).
    void* Objects(int col, int row) const { return data_.Objects(col, row); }
    void SetObjects(int col, int row, void* object) { data_.SetObjects(col, row, object); }
    int DefaultColWidth() const { return data_.DefaultColWidth(); }
    void SetDefaultColWidth(int width) { data_.SetDefaultColWidth(width); }
    int DefaultRowHeight() const { return data_.DefaultRowHeight(); }
    void SetDefaultRowHeight(int height) { data_.SetDefaultRowHeight(height); }
    int ColWidths(int col) const { return data_.ColWidths(col); }
    void SetColWidths(int col, int width) { data_.SetColWidths(col, width); }
    int RowHeights(int row) const { return data_.RowHeights(row); }
    void SetRowHeights(int row, int height) { data_.SetRowHeights(row, height); }
    int GridLineWidth() const { return data_.GridLineWidth(); }
    void SetGridLineWidth(int width) { data_.SetGridLineWidth(width); }
    GridOptions Options() const { return data_.Options(); }
    void SetOptions(GridOptions options) { data_.SetOptions(options); }
    int Col() const { return data_.Col(); }
    void SetCol(int col) { data_.SetCol(col); }
    int Row() const { return data_.Row(); }
    void SetRow(int row) { data_.SetRow(row); }
    TGridRect Selection() const { return data_.Selection(); }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);
    void SetScrollBars(TScrollStyle style);
    // bsSingle (true) or no border (false).
    void SetBorderSingle(bool single);

    // Where a cell is drawn in the grid's own coordinates (grid lines excluded); empty while
    // the cell is scrolled out of sight.
    QRect CellRect(int col, int row) const;
    // The cell under a point in the grid's own coordinates; false outside every cell.
    bool MouseToCell(const QPoint& pos, int& col, int& row) const;

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state)>
        OnDrawCell;

    // A batch of changes (a refill): between the two, shape, cell and size changes only
    // change the data; EndUpdate brings the view up to date once, and a move of the current
    // cell is told then. Calls nest; every BeginUpdate needs its EndUpdate (TGridUpdate).
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    // Paints one cell, its grid lines included, into a section rectangle (used by the view's
    // delegate, the fixed-cell headers and the corner).
    void PaintCell(QPainter& painter, int col, int row, const QRect& sectionRect);

protected:
    // Draws a cell's contents into its rectangle (grid lines excluded).
    virtual void DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                          TGridDrawState state);
    virtual bool CanEditCell(int col, int row) const;
    // Fired whenever the current cell moves; when a change of RowCount or ColCount moves it,
    // once that change is complete (model and view agree again).
    virtual void Click();
    // A press on a fixed cell.
    virtual void FixedCellClick(int /*col*/, int /*row*/) {}
    // After the user resized a column or row with the mouse.
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    // Writes an edited text into a cell.
    virtual void CommitEdit(int col, int row, const std::string& text);
    TGridDrawState DrawStateOf(int col, int row) const;
    // Repaints every cell, fixed ones included.
    void InvalidateGrid();

    // QTableView
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void updateGeometries() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // StringGridObserver
    void ShapeAboutToChange(int oldCols, int oldRows, int newCols, int newRows) override;
    void ShapeChanged(int oldCols, int oldRows) override;
    void FixedChanged() override;
    void CellChanged(int col, int row) override;
    void ContentsChanged() override;
    void SizesChanged() override;
    void CurrentChanged() override;
    void OptionsChanged() override;

private:
    friend class FixedCellsHeader;
    friend class FixedCellsCorner;
    // The sections' sizes from the data, for the columns and rows from the given ones on.
    void ApplySizes(int firstCol = 0, int firstRow = 0);
    void ApplyFixed();
    void ApplyOptions();
    void SyncViewToData();
    void SectionResized(Qt::Orientation orientation, int logical, int newSize);

    StringGridData data_;
    StringGridModel* model_;
    FixedCellsHeader* fixedRowsHeader_;
    FixedCellsHeader* fixedColsHeader_;
    FixedCellsCorner* corner_;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    bool syncing_ = false;
    // Between a shape change's two notices; a current-cell change waits for the second.
    bool reshaping_ = false;
    bool currentMovedInReshape_ = false;
    int updateCount_ = 0;
    int clickedCol_ = -1;
    int clickedRow_ = -1;
};

// BeginUpdate for the length of a scope, however the scope ends.
class TGridUpdate {
public:
    explicit TGridUpdate(TStringGrid& grid) : grid_(grid) { grid_.BeginUpdate(); }
    ~TGridUpdate() { grid_.EndUpdate(); }
    TGridUpdate(const TGridUpdate&) = delete;
    TGridUpdate& operator=(const TGridUpdate&) = delete;

private:
    TStringGrid& grid_;
};

} // namespace duebell
