#include "print/gridprint.h"

#include "print/canvasstate.h"
#include "print/units.h"

#include <algorithm>
#include <numeric>

namespace duebell {

namespace {

std::int64_t Units(double inches) {
    return TPqValue(pqInches, inches).GetAsUnits();
}

} // namespace

void TPqAbstractGridPrint::PreviewAssigned() {
    InchRect margins = Preview()->Margins().Inches();
    topMargin_ = Units(margins.Top);
    bottomMargin_ = Units(margins.Bottom);
}

std::int64_t TPqAbstractGridPrint::ColumnWidth(int col) const {
    return RoundHalfEven(double(widths_.at(col)) * scale_);
}

std::int64_t TPqAbstractGridPrint::RowHeight(int row) const {
    return heights_.at(row);
}

std::int64_t TPqAbstractGridPrint::TableWidth() const {
    std::int64_t width = 0;
    for (int col = 0; col < static_cast<int>(widths_.size()); ++col)
        width += ColumnWidth(col);
    return width;
}

void TPqAbstractGridPrint::Print() {
    Print(pqUnits, double(DefaultStartX), double(topMargin_), 0);
}

void TPqAbstractGridPrint::Print(TPqMeasurement measurement, double x, double y, double width) {
    if (!HasGrid()) {
        ShowError("There is no grid assigned to the TPqGridPrint component");
        return;
    }
    TPqPreviewModel* preview = Preview();
    if (!preview) {
        ShowError("There is no TPqPreview assigned to this component");
        return;
    }

    widths_ = LoadColumnWidths();
    heights_ = LoadRowHeights();
    const std::int64_t natural = std::accumulate(widths_.begin(), widths_.end(), std::int64_t{0});
    const double wanted = ConvertValue(measurement, pqUnits, width);
    // Columns that add up to nothing cannot be scaled to a width.
    scale_ = wanted > 0 && natural > 0 ? wanted / double(natural) : 1;
    startX_ = RoundHalfEven(ConvertValue(measurement, pqUnits, x));
    y_ = RoundHalfEven(ConvertValue(measurement, pqUnits, y));

    TPqCanvas& canvas = preview->Canvas();
    TPqCanvasStateKeeper keeper(canvas);
    canvas.SetCoordsRelativeTo(pqFromPage);
    TPqUpdateScope update(*preview);
    pageTop_ = y_;
    const int fixedRows = std::min(FixedRowCount(), RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        const std::int64_t pageLimit = Units(preview->PageHeight()) - bottomMargin_;
        // A new page is no use for a row that would not fit on it either.
        const bool freshPage = y_ == pageTop_ && pageTop_ <= topMargin_;
        if (y_ + RowHeight(row) > pageLimit && !freshPage) {
            DrawBorder();
            preview->NewPage();
            PageBegun();
            y_ = topMargin_;
            pageTop_ = y_;
            if ((GridOptions & pqFixedRowPerPage) && row >= fixedRows)
                for (int fixed = 0; fixed < fixedRows; ++fixed)
                    DrawRow(fixed);
        }
        BeforeRow(row);
        DrawRow(row);
        AfterRow(row);
    }
    DrawBorder();
}

void TPqAbstractGridPrint::DrawRow(int row) {
    const std::int64_t height = RowHeight(row);
    std::int64_t x = startX_;
    for (int col = 0; col < ColCount(); ++col) {
        const std::int64_t width = ColumnWidth(col);
        const IntRect rect{x, y_, x + width, y_ + height};
        if (DrawCellByOwner(rect, col, row))
            DrawCellLines(rect, col, row);
        else
            DrawCell(rect, col, row, DefaultCellAlignment(), DefaultCellVertAlignment());
        x += width;
    }
    y_ += height;
}

void TPqAbstractGridPrint::DrawBorder() {
    if (!(GridOptions & pqGridBorder) || y_ <= pageTop_)
        return;
    TPqCanvas& canvas = Preview()->Canvas();
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(pqUnits, double(startX_), double(pageTop_), double(startX_ + TableWidth()),
                     double(y_));
}

TPqBaseGridPrint::TPqBaseGridPrint() {
    font_.SetName("Arial");
    font_.SetSize(8);
    fixedCellFont_.Assign(font_);
}

void TPqBaseGridPrint::BeforeRow(int row) {
    if (BeforeDrawRow)
        BeforeDrawRow(row);
}

void TPqBaseGridPrint::AfterRow(int row) {
    if (AfterDrawRow)
        AfterDrawRow(row);
}

void TPqBaseGridPrint::PageBegun() {
    if (OnGridNewPage)
        OnGridNewPage();
}

namespace {

std::vector<std::int64_t> Offer(const std::vector<int>& pixels,
                                const std::function<void(int, TPqValue&)>& event) {
    std::vector<std::int64_t> units;
    units.reserve(pixels.size());
    for (int i = 0; i < static_cast<int>(pixels.size()); ++i) {
        TPqValue size(pqPixels, pixels[i]);
        if (event)
            event(i, size);
        units.push_back(std::max<std::int64_t>(size.GetAsUnits(), 0));
    }
    return units;
}

} // namespace

std::vector<std::int64_t> TPqBaseGridPrint::OfferColumnWidths(const std::vector<int>& pixels) {
    return Offer(pixels, OnGetColumnWidth);
}

std::vector<std::int64_t> TPqBaseGridPrint::OfferRowHeights(const std::vector<int>& pixels) {
    return Offer(pixels, OnGetRowHeight);
}

void TPqBaseGridPrint::PrepareCanvas(int col, int row) {
    TPqCanvas& canvas = Preview()->Canvas();
    canvas.Brush().SetColor(ColorToRGB(CellColor(col, row)));
    canvas.Font().Assign(font_);
}

void TPqBaseGridPrint::DrawCell(const IntRect& rect, int col, int row, TAlignment alignment,
                                TPqVertAlignment vertAlignment) {
    PrepareCanvas(col, row);
    DrawBackground(rect);
    if ((GridOptions & pqFixedCells3D) && IsFixedCell(col, row))
        DrawFrame3D(rect);
    DrawCellLines(rect, col, row);
    DrawText(rect, col, row, alignment, vertAlignment);
}

void TPqBaseGridPrint::DrawBackground(const IntRect& rect) {
    TPqCanvas& canvas = Preview()->Canvas();
    if (Monochrome || canvas.Brush().Color() == clWhite)
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetStyle(psClear);
    canvas.Rectangle(pqUnits, double(rect.Left), double(rect.Top), double(rect.Right),
                     double(rect.Bottom));
}

void TPqBaseGridPrint::DrawFrame3D(const IntRect& rect) {
    if (Monochrome)
        return;
    // Raised: light along the top and left, shadow along the bottom and right, just inside.
    TPqCanvas& canvas = Preview()->Canvas();
    constexpr double inset = 20;
    const double left = double(rect.Left) + inset, top = double(rect.Top) + inset;
    const double right = double(rect.Right) - inset, bottom = double(rect.Bottom) - inset;
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(clWhite);
    canvas.Line(pqUnits, left, top, right, top);
    canvas.Line(pqUnits, left, top, left, bottom);
    canvas.Pen().SetColor(clGray);
    canvas.Line(pqUnits, left, bottom, right, bottom);
    canvas.Line(pqUnits, right, top, right, bottom);
}

void TPqBaseGridPrint::DrawCellLines(const IntRect& rect, int col, int row) {
    TPqCanvas& canvas = Preview()->Canvas();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsClear);
    const bool fixed = IsFixedCell(col, row);
    if (GridOptions & pqVertLine) {
        canvas.Pen().SetColor(fixed || (col > 0 && IsFixedCell(col - 1, row)) ? clBlack
                                                                              : CellPenColor);
        canvas.Line(pqUnits, double(rect.Left), double(rect.Top), double(rect.Left),
                    double(rect.Bottom));
    }
    if (GridOptions & pqHorzLine) {
        canvas.Pen().SetColor(fixed || (row > 0 && IsFixedCell(col, row - 1)) ? clBlack
                                                                              : CellPenColor);
        canvas.Line(pqUnits, double(rect.Left), double(rect.Top), double(rect.Right),
                    double(rect.Top));
    }
}

void TPqBaseGridPrint::DrawText(const IntRect& rect, int col, int row, TAlignment alignment,
                                TPqVertAlignment vertAlignment) {
    const IntRect inner{rect.Left + TextInset, rect.Top + TextInset, rect.Right - TextInset,
                        rect.Bottom - TextInset};
    const std::string text = CellText(col, row);
    if (text.empty() || inner.Right <= inner.Left || inner.Bottom <= inner.Top)
        return;
    TPqCanvas& canvas = Preview()->Canvas();
    canvas.Font().Assign(IsFixedCell(col, row) ? fixedCellFont_ : font_);
    if (ScaleText && Scale() != 1)
        canvas.Font().SetSize(
            std::max<int>(1, static_cast<int>(RoundHalfEven(canvas.Font().Size() * Scale()))));
    if (OnGetCellAlignment)
        OnGetCellAlignment(col, row, alignment, vertAlignment);
    canvas.Pen().SetStyle(psClear);
    canvas.Brush().SetStyle(bsClear);
    canvas.WrapTextBoxes = WordWrap;
    canvas.TextBox(pqUnits, double(inner.Left), double(inner.Top), double(inner.Right),
                   double(inner.Bottom), 0, text, alignment, vertAlignment);
}

TColor TPqGridPrint::CellColor(int col, int row) const {
    return IsFixedCell(col, row) ? grid_->FixedColor() : grid_->Color();
}

std::vector<std::int64_t> TPqGridPrint::LoadColumnWidths() {
    std::vector<int> pixels;
    for (int col = 0; col < grid_->ColCount(); ++col)
        pixels.push_back(grid_->ColWidths(col));
    return OfferColumnWidths(pixels);
}

std::vector<std::int64_t> TPqGridPrint::LoadRowHeights() {
    std::vector<int> pixels;
    for (int row = 0; row < grid_->RowCount(); ++row)
        pixels.push_back(grid_->RowHeights(row));
    return OfferRowHeights(pixels);
}

bool TPqGridPrint::DrawCellByOwner(const IntRect& rect, int col, int row) {
    if (!OnDrawCell)
        return false;
    PrepareCanvas(col, row);
    TPqValueRect cell;
    cell.SetAsUnitsRect(rect);
    OnDrawCell(col, row, cell, Preview()->Canvas());
    return true;
}

} // namespace duebell
