#include "print/shapes.h"

#include "print/units.h"

namespace duebell {

TPqSimpleShape::TPqSimpleShape(TPqResourceTable& resourceTable)
    : TPqBaseObject(resourceTable), pen_(resourceTable.Pens(), [this] { Changed(); }) {}

void TPqSimpleShape::LoadFromStream(TPqStream& stream) {
    TPqBaseObject::LoadFromStream(stream);
    stream.ReadGuarded(x1_);
    stream.ReadGuarded(y1_);
    stream.ReadGuarded(x2_);
    stream.ReadGuarded(y2_);
    std::int32_t pen = -1;
    stream.ReadGuarded(pen);
    pen_.SetIndex(pen);
}

void TPqSimpleShape::SaveToStream(TPqStream& stream) const {
    TPqBaseObject::SaveToStream(stream);
    stream.WriteExtended(x1_);
    stream.WriteExtended(y1_);
    stream.WriteExtended(x2_);
    stream.WriteExtended(y2_);
    WriteIndex(stream, pen_.Index());
}

void TPqSimpleShape::SetCoords(std::span<const double> values, TPqMeasurement measurement) {
    if (values.size() < 4)
        return;
    x1_ = ConvertValue(measurement, pqInches, values[0]);
    y1_ = ConvertValue(measurement, pqInches, values[1]);
    x2_ = ConvertValue(measurement, pqInches, values[2]);
    y2_ = ConvertValue(measurement, pqInches, values[3]);
    Changed();
}

void TPqSimpleShape::OffsetInches(double dx, double dy) {
    x1_ += dx;
    y1_ += dy;
    x2_ += dx;
    y2_ += dy;
}

QPolygon ClosedRectangle(QPoint a, QPoint c) {
    return QPolygon({a, QPoint(c.x(), a.y()), c, QPoint(a.x(), c.y()), a});
}

void TPqSimpleShape::SelectPen(TPqDeviceCanvas& canvas) const {
    if (const TPqPen* pen = pen_.Pooled())
        canvas.SelectPen(*pen);
    else
        canvas.SelectPen(TPqPen());
}

TPqFilledShape::TPqFilledShape(TPqResourceTable& resourceTable)
    : TPqSimpleShape(resourceTable), brush_(resourceTable.Brushes(), [this] { Changed(); }) {}

void TPqFilledShape::LoadFromStream(TPqStream& stream) {
    TPqSimpleShape::LoadFromStream(stream);
    std::int32_t brush = -1;
    stream.ReadGuarded(brush);
    brush_.SetIndex(brush);
}

void TPqFilledShape::SaveToStream(TPqStream& stream) const {
    TPqSimpleShape::SaveToStream(stream);
    WriteIndex(stream, brush_.Index());
}

void TPqFilledShape::SelectPenAndBrush(TPqDeviceCanvas& canvas) const {
    SelectPen(canvas);
    if (const TPqBrush* brush = brush_.Pooled())
        canvas.SelectBrush(*brush);
    else
        canvas.SelectBrush(TPqBrush());
}

void TPqLineObject::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPen(canvas);
    canvas.MoveTo(DevicePoint(x1_, y1_));
    canvas.LineTo(DevicePoint(x2_, y2_));
}

void TPqEllipseShape::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPenAndBrush(canvas);
    canvas.Ellipse(Rect());
}

void TPqRectangleShape::LoadFromStream(TPqStream& stream) {
    TPqFilledShape::LoadFromStream(stream);
    stream.ReadGuarded(flagged_);
}

void TPqRectangleShape::SaveToStream(TPqStream& stream) const {
    TPqFilledShape::SaveToStream(stream);
    stream.WriteBool(flagged_);
}

void TPqRectangleShape::SetFlagged(bool flagged) {
    if (flagged_ == flagged)
        return;
    flagged_ = flagged;
    Changed();
}

void TPqRectangleShape::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPenAndBrush(canvas);
    canvas.Polygon(ClosedRectangle(DevicePoint(x1_, y1_), DevicePoint(x2_, y2_)));
}

void TPqRoundRectShape::LoadFromStream(TPqStream& stream) {
    TPqFilledShape::LoadFromStream(stream);
    stream.ReadGuarded(cornerWidth_);
    stream.ReadGuarded(cornerHeight_);
}

void TPqRoundRectShape::SaveToStream(TPqStream& stream) const {
    TPqFilledShape::SaveToStream(stream);
    stream.WriteExtended(cornerWidth_);
    stream.WriteExtended(cornerHeight_);
}

void TPqRoundRectShape::SetCorner(double width, double height) {
    cornerWidth_ = width;
    cornerHeight_ = height;
    Changed();
}

void TPqRoundRectShape::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPenAndBrush(canvas);
    canvas.RoundRect(Rect(), DeviceUnits(cornerWidth_), DeviceUnits(cornerHeight_));
}

void TPqComplexShape::LoadFromStream(TPqStream& stream) {
    TPqFilledShape::LoadFromStream(stream);
    stream.ReadGuarded(x3_);
    stream.ReadGuarded(y3_);
    stream.ReadGuarded(x4_);
    stream.ReadGuarded(y4_);
}

void TPqComplexShape::SaveToStream(TPqStream& stream) const {
    TPqFilledShape::SaveToStream(stream);
    stream.WriteExtended(x3_);
    stream.WriteExtended(y3_);
    stream.WriteExtended(x4_);
    stream.WriteExtended(y4_);
}

void TPqComplexShape::SetCoords(std::span<const double> values, TPqMeasurement measurement) {
    if (values.size() >= 8) {
        x3_ = ConvertValue(measurement, pqInches, values[4]);
        y3_ = ConvertValue(measurement, pqInches, values[5]);
        x4_ = ConvertValue(measurement, pqInches, values[6]);
        y4_ = ConvertValue(measurement, pqInches, values[7]);
    }
    TPqFilledShape::SetCoords(values, measurement);
}

void TPqComplexShape::OffsetInches(double dx, double dy) {
    TPqFilledShape::OffsetInches(dx, dy);
    x3_ += dx;
    y3_ += dy;
    x4_ += dx;
    y4_ += dy;
}

void TPqArcShape::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPenAndBrush(canvas);
    canvas.Arc(Rect(), Start(), End());
}

void TPqChordShape::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPenAndBrush(canvas);
    canvas.Chord(Rect(), Start(), End());
}

void TPqPieShape::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPenAndBrush(canvas);
    canvas.Pie(Rect(), Start(), End());
}

void TPqGraphicObject::LoadFromStream(TPqStream& stream) {
    TPqSimpleShape::LoadFromStream(stream);
    std::int32_t index = -1;
    stream.ReadGuarded(index);
    graphic_ = ResourceTable().Graphics().StoredItem(index);
}

void TPqGraphicObject::SaveToStream(TPqStream& stream) const {
    TPqSimpleShape::SaveToStream(stream);
    WriteIndex(stream, graphic_ ? ResourceTable().Graphics().IndexOfIdentical(*graphic_) : -1);
}

void TPqGraphicObject::SetGraphicRef(const TPqGraphic* graphic) {
    graphic_ = graphic;
    Changed();
}

void TPqGraphicObject::DrawContent(TPqDeviceCanvas& canvas) const {
    SelectPen(canvas);
    if (graphic_)
        canvas.StretchDraw(Rect(), *graphic_);
}

} // namespace duebell
