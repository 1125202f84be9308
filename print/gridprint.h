// Grid printing: the cells of a string grid drawn as a table onto a preview's pages, in the
// grid's column widths and row heights (each open to adjustment), optionally scaled to a
// width, with cell fills, fixed cells in their own font, grid lines, a border around each
// page's part of the table, and a page break whenever the next row does not fit, the fixed
// rows repeated at the top of each new page.
#pragma once

#include "controls/stringgrid.h"
#include "print/previewcompanion.h"

#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace duebell {

enum TPqGridOption : unsigned {
    pqVertLine = 1u << 0,
    pqHorzLine = 1u << 1,
    pqFixedRowPerPage = 1u << 2,
    pqFixedCells3D = 1u << 3,
    pqGridBorder = 1u << 4,
};
using TPqGridOptions = unsigned;

// Pagination and the drawing skeleton; the table's contents come from the subclass.
// Lengths are held in whole hundredths of a millimetre ("units"), from the paper's corner.
class TPqAbstractGridPrint : public TPqPreviewCompanion {
public:
    // The inset of a cell's text from its edges, units.
    static constexpr std::int64_t TextInset = 70;
    // The default start of a table: 30 mm from the left edge, at the top margin.
    static constexpr std::int64_t DefaultStartX = 3000;

    // Draws the whole table from (x, y) on the preview's current page, scaled to 'width'
    // when it is above 0; all three in 'measurement'. Shows an error box instead when there
    // is no grid or no preview.
    void Print(TPqMeasurement measurement, double x, double y, double width);
    // At the default start, unscaled.
    void Print();

    // The preview's top margin (start of every continuation page) and bottom margin (the
    // page's limit), taken when the preview is assigned.
    std::int64_t TopMargin() const { return topMargin_; }
    std::int64_t BottomMargin() const { return bottomMargin_; }
    // 1 unless a width was asked for.
    double Scale() const { return scale_; }

    TPqGridOptions GridOptions = pqVertLine | pqHorzLine | pqFixedRowPerPage | pqGridBorder;

protected:
    // The table's shape and contents.
    virtual bool HasGrid() const = 0;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedColCount() const = 0;
    virtual int FixedRowCount() const = 0;
    virtual TColor CellColor(int col, int row) const = 0;
    virtual std::string CellText(int col, int row) const = 0;
    // Each column's width and each row's height, units (negative counts as 0).
    virtual std::vector<std::int64_t> LoadColumnWidths() = 0;
    virtual std::vector<std::int64_t> LoadRowHeights() = 0;
    virtual TAlignment DefaultCellAlignment() const = 0;
    virtual TPqVertAlignment DefaultCellVertAlignment() const = 0;
    // Draws one cell whole: its rectangle (units) and the alignments of its text.
    virtual void DrawCell(const IntRect& rect, int col, int row, TAlignment alignment,
                          TPqVertAlignment vertAlignment) = 0;
    // The lines of a cell alone, for cells whose contents the owner drew.
    virtual void DrawCellLines(const IntRect& rect, int col, int row) = 0;
    // A cell drawn by the owner instead; false when the owner draws no cells.
    virtual bool DrawCellByOwner(const IntRect& rect, int col, int row) = 0;
    virtual void BeforeRow(int row) = 0;
    virtual void AfterRow(int row) = 0;
    // A new page was begun for the table.
    virtual void PageBegun() = 0;

    void PreviewAssigned() override;

    bool IsFixedCell(int col, int row) const {
        return col < FixedColCount() || row < FixedRowCount();
    }
    std::int64_t ColumnWidth(int col) const;
    std::int64_t RowHeight(int row) const;

private:
    void DrawRow(int row);
    void DrawBorder();
    std::int64_t TableWidth() const;

    std::int64_t topMargin_ = 2000;
    std::int64_t bottomMargin_ = 2000;
    std::vector<std::int64_t> widths_;
    std::vector<std::int64_t> heights_;
    double scale_ = 1;
    std::int64_t startX_ = 0;
    std::int64_t pageTop_ = 0; // where the table's part on this page begins
    std::int64_t y_ = 0;
};

// The options, fonts and colours of a printed table, and how a cell is drawn.
class TPqBaseGridPrint : public TPqAbstractGridPrint {
public:
    TPqBaseGridPrint();

    // Ordinary cells (Arial 8 point) and fixed cells (a copy of Font at creation).
    TPqFont& Font() { return font_; }
    TPqFont& FixedCellFont() { return fixedCellFont_; }
    // The lines between ordinary cells; lines touching a fixed cell are black.
    TColor CellPenColor = clGray;
    // No cell fills and no 3D frames.
    bool Monochrome = false;
    // Fonts follow the scale of the table.
    bool ScaleText = true;
    bool WordWrap = false;
    TAlignment DefaultAlignment = taLeftJustify;
    TPqVertAlignment DefaultVertAlignment = pqTop;

    std::function<void(int row)> BeforeDrawRow;
    std::function<void(int row)> AfterDrawRow;
    std::function<void(int col, int row, TAlignment& alignment, TPqVertAlignment& vertAlignment)>
        OnGetCellAlignment;
    // Offered each column's width and each row's height before printing; may change it.
    std::function<void(int col, TPqValue& width)> OnGetColumnWidth;
    std::function<void(int row, TPqValue& height)> OnGetRowHeight;
    TNotifyEvent OnGridNewPage;

protected:
    TAlignment DefaultCellAlignment() const override { return DefaultAlignment; }
    TPqVertAlignment DefaultCellVertAlignment() const override { return DefaultVertAlignment; }
    void DrawCell(const IntRect& rect, int col, int row, TAlignment alignment,
                  TPqVertAlignment vertAlignment) override;
    void DrawCellLines(const IntRect& rect, int col, int row) override;
    void BeforeRow(int row) override;
    void AfterRow(int row) override;
    void PageBegun() override;

    // The canvas brush takes the cell's colour and the canvas font the ordinary cells' font.
    void PrepareCanvas(int col, int row);
    // Pixel sizes of a grid (96 per inch) as units, each offered to its event.
    std::vector<std::int64_t> OfferColumnWidths(const std::vector<int>& pixels);
    std::vector<std::int64_t> OfferRowHeights(const std::vector<int>& pixels);

private:
    void DrawBackground(const IntRect& rect);
    void DrawFrame3D(const IntRect& rect);
    void DrawText(const IntRect& rect, int col, int row, TAlignment alignment,
                  TPqVertAlignment vertAlignment);

    TPqFont font_;
    TPqFont fixedCellFont_;
};

// Prints a TStringGrid: its sizes, colours and cell texts.
class TPqGridPrint : public TPqBaseGridPrint {
public:
    // Cleared when the grid is destroyed.
    TStringGrid* Grid() const { return grid_; }
    void SetGrid(TStringGrid* grid) { grid_ = grid; }

    // When assigned it draws each cell's contents (the canvas brush holds the cell's colour,
    // the canvas font is Font); the table then draws only the lines.
    std::function<void(int col, int row, TPqValueRect& rect, TPqCanvas& canvas)> OnDrawCell;

protected:
    std::string ClassName() const override { return "TPqGridPrint"; }
    bool HasGrid() const override { return grid_ != nullptr; }
    int ColCount() const override { return grid_->ColCount(); }
    int RowCount() const override { return grid_->RowCount(); }
    int FixedColCount() const override { return grid_->FixedCols(); }
    int FixedRowCount() const override { return grid_->FixedRows(); }
    TColor CellColor(int col, int row) const override;
    std::string CellText(int col, int row) const override { return grid_->Cells(col, row); }
    std::vector<std::int64_t> LoadColumnWidths() override;
    std::vector<std::int64_t> LoadRowHeights() override;
    bool DrawCellByOwner(const IntRect& rect, int col, int row) override;

private:
    QPointer<TStringGrid> grid_;
};

} // namespace duebell
