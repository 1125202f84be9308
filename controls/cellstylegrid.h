// TCellStyleGrid: a string grid in which every cell, column and row (with separate sets for
// the fixed columns and fixed rows) may carry its own alignment, word-wrap mode, edit
// permission, font, brush, selected font and selected brush. It stores the texts of its cells
// and all these attributes in its stored form, and supports editing, Tab navigation,
// clipboard copies, sorting and cell hints.
#pragma once

#include "controls/cellnavigator.h"
#include "controls/cellstyleform.h"
#include "controls/cellstyles.h"
#include "controls/formstream.h"
#include "controls/gridtext.h"
#include "controls/stringgrid.h"

#include <functional>
#include <string>

namespace duebell {

class TCellStyleGrid : public TStringGrid {
    Q_OBJECT
    Q_PROPERTY(int Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int Wordwrap READ Wordwrap WRITE SetWordwrap)
    Q_PROPERTY(bool Editable READ Editable WRITE SetEditable)
    Q_PROPERTY(int SelectedCellColor READ SelectedCellColor WRITE SetSelectedCellColor)
    Q_PROPERTY(int SelectedFontColor READ SelectedFontColor WRITE SetSelectedFontColor)
    Q_PROPERTY(bool ShowCellHints MEMBER ShowCellHints)
    Q_PROPERTY(bool SelectEditText MEMBER SelectEditText)
    Q_PROPERTY(bool EditMultiline MEMBER EditMultiline)
    Q_PROPERTY(bool AutoEditNextCell MEMBER AutoEditNextCell)
    Q_PROPERTY(bool DrawSelection READ DrawSelection WRITE SetDrawSelection)
    Q_PROPERTY(bool AutoAdjustLastCol READ AutoAdjustLastCol WRITE SetAutoAdjustLastCol)
    Q_PROPERTY(bool RedrawWhileScroll MEMBER RedrawWhileScroll)

public:
    explicit TCellStyleGrid(QWidget* parent = nullptr);

    // Grid-wide defaults.
    TMyAlign Alignment() const { return styles_.Defaults().Alignment; }
    void SetAlignment(int align);
    T_Wordwrap Wordwrap() const { return styles_.Defaults().Wordwrap; }
    void SetWordwrap(int wordwrap);
    bool Editable() const { return styles_.Defaults().Editable; }
    void SetEditable(bool editable);
    TColor SelectedCellColor() const { return styles_.Defaults().SelectedCellColor; }
    void SetSelectedCellColor(int color);
    TColor SelectedFontColor() const { return styles_.Defaults().SelectedFontColor; }
    void SetSelectedFontColor(int color);
    const TMyFont& FixedFont() const { return styles_.Defaults().FixedFont; }
    void SetFixedFont(const TMyFont& font);
    bool DrawSelection() const { return drawSelection_; }
    void SetDrawSelection(bool on);
    bool AutoAdjustLastCol() const { return autoAdjustLastCol_; }
    void SetAutoAdjustLastCol(bool on);

    bool ShowCellHints = true;
    bool SelectEditText = true;
    bool EditMultiline = false;
    bool AutoEditNextCell = false;
    bool RedrawWhileScroll = false;
    // Paste and cut leave the texts of cells that are not editable alone.
    bool ProtectReadOnlyCells = true;
    T_nextcell NextCellEdit = nc_rightdown;
    T_nextcell NextCellTab = nc_rightdown;
    T_lastcell AfterLastCellEdit = lc_newline;
    T_lastcell AfterLastCellTab = lc_first;

    // The attribute sets, created on first use.
    CellStyles& Styles() { return styles_; }
    TCellProperties& CellProperties(int col, int row) { return styles_.Cell(col, row); }
    TCellProperties& ColProperties(int col) { return styles_.Col(col); }
    TCellProperties& RowProperties(int row) { return styles_.Row(row); }
    TCellProperties& FixedColProperties(int col) { return styles_.FixedCol(col); }
    TCellProperties& FixedRowProperties(int row) { return styles_.FixedRow(row); }

    // Bands a row in a colour; ResetColorRow lets it fall back to its column or the grid.
    void SetColorRow(int row, TColor color);
    void ResetColorRow(int row);

    // The attributes a cell resolves to.
    TMyAlign CellAlignment(int col, int row) const;
    T_Wordwrap CellWordwrap(int col, int row) const;
    bool CellEditable(int col, int row) const;
    TMyFont CellFont(int col, int row) const;
    TMyBrush CellBrush(int col, int row) const;
    TColor CellSelectedColor(int col, int row) const;
    TColor CellSelectedFontColor(int col, int row) const;

    std::string CellHint(int col, int row) const;
    void SetCellHint(int col, int row, const std::string& hint);

    // The stored form: the string grid's own properties, the non-default grid-wide settings,
    // then the cell texts, hints and attribute sets.
    StoredForm WriteForm() const;
    // Reads a stored form, then finishes loading. Raises EReadError for a form that does not
    // read as this grid's.
    void ReadForm(const StoredForm& form);
    void Loaded();

    void CopyToClipboard();
    void PasteFromClipboard();
    void CutToClipboard();

    // Sorting moves texts, objects, attribute sets and hints with their rows (columns).
    void SortRows(int col, bool ascending);
    void SortCols(int row, bool ascending);
    void ExchangeGridRows(int a, int b);
    void ExchangeGridCols(int a, int b);
    void MoveGridRow(int from, int to);
    void MoveGridCol(int from, int to);

    // May change the alignment and wrap of one cell just before its text is drawn.
    std::function<void(int col, int row, TMyAlign& align, T_Wordwrap& wrap)> AlignmentHook;

    std::function<void(int col, int row, std::string& hint)> OnShowHintCell;
    std::function<void(int col, int row)> OnBeforeEdit;
    std::function<void(int col, int row, const std::string& text, bool& accept)> OnValidateEdit;
    std::function<void(int col, int row)> OnAfterEdit;
    std::function<void(int col, int row)> OnCancelEdit;
    CellCompare OnCompareRow;
    CellCompare OnCompareCol;
    std::function<void()> OnColWidthsChanged;
    std::function<void()> OnRowHeightsChanged;
    std::function<void(int col)> OnFixedColClick;
    std::function<void(int row)> OnFixedRowClick;

protected:
    // Sets the grid-wide defaults; called once by the constructor.
    virtual void InitProperties();
    // Font and brush of a cell, the selection colours, and the background fill.
    virtual void PrepareCanvas(QPainter& canvas, int col, int row, const QRect& rect,
                               TGridDrawState state);
    // The text with the cell's alignment and wrap, 2 pixels inside the rectangle.
    virtual void DrawCellText(QPainter& canvas, int col, int row, const QRect& rect);

    void DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                  TGridDrawState state) override;
    bool CanEditCell(int col, int row) const override;
    void CommitEdit(int col, int row, const std::string& text) override;
    void FixedCellClick(int col, int row) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class CellStyleDelegate;
    void SyncDefaults() const;
    void ApplyMove(const CellMove& move);
    // Sets and hints to the new places of their rows (columns).
    void RemapRowsAndHints(const std::function<int(int)>& newRow);
    void RemapColsAndHints(const std::function<int(int)>& newCol);
    void AdjustLastCol();
    bool ShowHint(QWidget* source, const QPoint& pos);

    mutable CellStyles styles_;
    CellStyleFormState form_;
    bool drawSelection_ = true;
    bool autoAdjustLastCol_ = false;
    bool editRefused_ = false;
    std::string refusedText_;
    int hintCol_ = -1;
    int hintRow_ = -1;
};

} // namespace duebell
