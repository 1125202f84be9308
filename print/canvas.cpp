#include "print/canvas.h"

#include "objectlist/exceptions.h"
#include "print/shapes.h"
#include "print/textbox.h"
#include "print/textmetrics.h"
#include "print/textobject.h"
#include "print/units.h"

#include <array>

namespace duebell {

TPqCanvas::TPqCanvas(TPqResourceTable& resourceTable, const TPqPrinterMarginsSource* printer,
                     TPqMargins& margins)
    : resourceTable_(resourceTable), printer_(printer), margins_(margins) {}

TPqValueSize& TPqCanvas::TextSize() {
    if (!textSize_)
        textSize_ = std::make_unique<TPqValueSize>();
    return *textSize_;
}

void TPqCanvas::SetCoordsRelativeTo(TPqCoordsRelative base) {
    if (base == coordsRelativeTo_)
        return;
    InchRect userMargins = margins_.Inches();
    switch (base) {
    case pqFromPage:
        origin_ = {0, 0};
        break;
    case pqFromPrinterMargins: {
        InchRect printerMargins = printer_ ? printer_->PrinterMargins() : InchRect{};
        origin_ = {printerMargins.Left, printerMargins.Top};
        break;
    }
    case pqFromUserMargins:
        origin_ = {userMargins.Left, userMargins.Top};
        break;
    case pqFromHeaderLine: {
        double header = page_ ? page_->Header().HeightInches() : 0;
        origin_ = {userMargins.Left, userMargins.Top + header};
        break;
    }
    }
    coordsRelativeTo_ = base;
}

TPqBrush* TPqCanvas::PoolBrush() {
    TPqBrush description;
    description.SetColor(brush_.Color());
    description.SetStyle(brush_.Style());
    return resourceTable_.Brushes().Add(description);
}

TPqFont* TPqCanvas::PoolFont() {
    TPqFont description;
    description.SetSize(font_.Size());
    description.SetStyle(font_.Style());
    description.SetAngle(textAngle_);
    description.SetColor(font_.Color());
    description.SetName(font_.Name());
    return resourceTable_.Fonts().Add(description);
}

TPqPen* TPqCanvas::PoolPen() {
    TPqPen description;
    description.SetColor(pen_.Color());
    description.SetWidth(pen_.Width());
    description.SetStyle(pen_.Style());
    return resourceTable_.Pens().Add(description);
}

void TPqCanvas::Append(std::unique_ptr<TPqBaseObject> object) {
    if (!page_)
        throw InternalError("The drawing canvas has no page to draw on.");
    object->Offset(pqInches, origin_.X, origin_.Y);
    object->SetClipped(ClipObjects);
    object->SetClipRect(ObjectClipRect);
    lastObject_ = &page_->AddObject(std::move(object));
    if (OnChange)
        OnChange();
}

void TPqCanvas::AddText(TPqMeasurement m, double x, double y, const std::string& text) {
    auto object = std::make_unique<TPqTextObject>(resourceTable_);
    object->SetBrushRef(PoolBrush());
    object->SetFontRef(PoolFont());
    std::array<double, 2> coords{x, y};
    object->SetCoords(coords, m);
    object->SetText(text);
    TPqTextObject& added = *object;
    Append(std::move(object));
    lastTextPos_ = {added.X(), added.Y()};
}

void TPqCanvas::TextOut(TPqMeasurement m, double x, double y, const std::string& text) {
    textAngle_ = 0;
    AddText(m, x, y, text);
}

void TPqCanvas::TextOut(double x, double y, const std::string& text) {
    TextOut(DefaultMeasurement, x, y, text);
}

void TPqCanvas::TextOutAngle(TPqMeasurement m, double x, double y, double angle,
                             const std::string& text) {
    textAngle_ = angle;
    AddText(m, x, y, text);
}

void TPqCanvas::TextOutAngle(double x, double y, double angle, const std::string& text) {
    TextOutAngle(DefaultMeasurement, x, y, angle, text);
}

void TPqCanvas::CentredTextOut(TPqMeasurement m, double x, double y, const std::string& text) {
    TextOut(m, x - TextWidth(text, m) / 2, y, text);
}

void TPqCanvas::CentredTextOut(double x, double y, const std::string& text) {
    CentredTextOut(DefaultMeasurement, x, y, text);
}

template <class Shape>
Shape& TPqCanvas::AddShape(std::unique_ptr<Shape> shape, TPqMeasurement m, double x1, double y1,
                           double x2, double y2) {
    shape->SetPenRef(PoolPen());
    std::array<double, 4> coords{x1, y1, x2, y2};
    shape->SetCoords(coords, m);
    Shape& added = *shape;
    Append(std::move(shape));
    return added;
}

template <class Shape> std::unique_ptr<Shape> TPqCanvas::NewFilledShape() {
    auto shape = std::make_unique<Shape>(resourceTable_);
    shape->SetBrushRef(PoolBrush());
    return shape;
}

void TPqCanvas::Rectangle(TPqMeasurement m, double x1, double y1, double x2, double y2) {
    AddShape(NewFilledShape<TPqRectangleShape>(), m, x1, y1, x2, y2);
}

void TPqCanvas::Rectangle(double x1, double y1, double x2, double y2) {
    Rectangle(DefaultMeasurement, x1, y1, x2, y2);
}

void TPqCanvas::FlaggedRectangle(TPqMeasurement m, double x1, double y1, double x2, double y2) {
    auto shape = NewFilledShape<TPqRectangleShape>();
    shape->SetFlagged(true);
    AddShape(std::move(shape), m, x1, y1, x2, y2);
}

void TPqCanvas::FlaggedRectangle(double x1, double y1, double x2, double y2) {
    FlaggedRectangle(DefaultMeasurement, x1, y1, x2, y2);
}

void TPqCanvas::Ellipse(TPqMeasurement m, double x1, double y1, double x2, double y2) {
    AddShape(NewFilledShape<TPqEllipseShape>(), m, x1, y1, x2, y2);
}

void TPqCanvas::Ellipse(double x1, double y1, double x2, double y2) {
    Ellipse(DefaultMeasurement, x1, y1, x2, y2);
}

void TPqCanvas::RoundRect(TPqMeasurement m, double x1, double y1, double x2, double y2, double x3,
                          double y3) {
    auto shape = NewFilledShape<TPqRoundRectShape>();
    shape->SetCorner(ConvertValue(m, pqInches, x3), ConvertValue(m, pqInches, y3));
    AddShape(std::move(shape), m, x1, y1, x2, y2);
}

void TPqCanvas::RoundRect(double x1, double y1, double x2, double y2, double x3, double y3) {
    RoundRect(DefaultMeasurement, x1, y1, x2, y2, x3, y3);
}

void TPqCanvas::Line(TPqMeasurement m, double x1, double y1, double x2, double y2) {
    AddShape(std::make_unique<TPqLineObject>(resourceTable_), m, x1, y1, x2, y2);
}

void TPqCanvas::Line(double x1, double y1, double x2, double y2) {
    Line(DefaultMeasurement, x1, y1, x2, y2);
}

void TPqCanvas::TextBox(TPqMeasurement m, double x1, double y1, double x2, double y2, double indent,
                        const std::string& text, TAlignment alignment,
                        TPqVertAlignment vertAlignment) {
    double left = ConvertValue(m, pqInches, x1);
    double top = ConvertValue(m, pqInches, y1);
    double right = ConvertValue(m, pqInches, x2);
    double inset = ConvertValue(m, pqInches, indent);

    // The text is drawn inside the indent, so it is measured on that width too.
    TPqTextMetrics metrics(font_);
    int width = DeviceUnits(right - left - 2 * inset);
    auto lines = BreakTextLines(metrics, QString::fromStdString(text), width, WrapTextBoxes, true);
    double textHeight =
        static_cast<double>(lines.size()) * metrics.Height() / double(LogicalPixelsPerInch);
    double bottom = y2 > 0 ? ConvertValue(m, pqInches, y2) : top + inset + textHeight + inset;

    auto box = std::make_unique<TPqTextBoxObject>(resourceTable_);
    box->SetTextIndent(inset);
    box->SetTextHeight(textHeight);
    box->SetAlignment(alignment);
    box->SetVertAlignment(vertAlignment);
    box->SetWordWrap(WrapTextBoxes);
    box->SetBrushRef(PoolBrush());
    box->SetFontRef(PoolFont());
    box->SetText(text);
    AddShape(std::move(box), pqInches, left, top, right, bottom);
}

void TPqCanvas::TextBox(double x1, double y1, double x2, double y2, double indent,
                        const std::string& text, TAlignment alignment,
                        TPqVertAlignment vertAlignment) {
    TextBox(DefaultMeasurement, x1, y1, x2, y2, indent, text, alignment, vertAlignment);
}

double TPqCanvas::TextWidth(const std::string& text, TPqMeasurement m) {
    double inches = TextWidthInches(font_, text);
    TextSize().Width().SetAsInches(inches);
    return ConvertValue(pqInches, m, inches);
}

} // namespace duebell
