#include "print/baseobject.h"

#include "print/units.h"

namespace duebell {

TPqBaseObject::TPqBaseObject(TPqResourceTable& resourceTable) : resourceTable_(resourceTable) {}

int TPqBaseObject::DataSize() const {
    return HeadSize();
}

void TPqBaseObject::Draw(TPqDeviceCanvas& canvas) const {
    if (clipped_) {
        // One pixel wider on every side than the clip rectangle.
        canvas.IntersectClip(
            DeviceRect(clipRect_.Left, clipRect_.Top, clipRect_.Right, clipRect_.Bottom)
                .adjusted(-1, -1, 1, 1));
    }
    DrawContent(canvas);
    if (clipped_)
        canvas.RestoreBaseClip();
}

void TPqBaseObject::Print(TPqDeviceCanvas& canvas) const {
    if (printable_)
        Draw(canvas);
}

void TPqBaseObject::LoadFromStream(TPqStream& stream) {
    stream.ReadGuarded(clipped_);
    if (clipped_) {
        stream.ReadGuarded(clipRect_.Left);
        stream.ReadGuarded(clipRect_.Top);
        stream.ReadGuarded(clipRect_.Right);
        stream.ReadGuarded(clipRect_.Bottom);
    }
    stream.ReadGuarded(printable_);
}

void TPqBaseObject::SaveToStream(TPqStream& stream) const {
    stream.WriteInt32(GetTypeId());
    stream.WriteInt32(DataSize());
    stream.WriteBool(clipped_);
    if (clipped_) {
        stream.WriteExtended(clipRect_.Left);
        stream.WriteExtended(clipRect_.Top);
        stream.WriteExtended(clipRect_.Right);
        stream.WriteExtended(clipRect_.Bottom);
    }
    stream.WriteBool(printable_);
}

void TPqBaseObject::SetBrush(TColor color, TBrushStyle style) {
    TPqBrush* brush = GetBrush();
    if (!brush)
        return;
    TPqBrush changed;
    changed.Assign(*brush);
    changed.SetColor(color);
    changed.SetStyle(style);
    brush->Assign(changed);
}

void TPqBaseObject::SetFont(const std::string& name, int size, TFontStyles style, TColor color,
                            double angle) {
    TPqFont* font = GetFont();
    if (!font)
        return;
    TPqFont changed;
    changed.Assign(*font);
    if (!name.empty())
        changed.SetName(name);
    changed.SetSize(size);
    changed.SetStyle(style);
    changed.SetColor(color);
    changed.SetAngle(angle);
    font->Assign(changed);
}

void TPqBaseObject::SetPen(TColor color, int width, TPenStyle style) {
    TPqPen* pen = GetPen();
    if (!pen)
        return;
    TPqPen changed;
    changed.Assign(*pen);
    changed.SetColor(color);
    changed.SetWidth(width);
    changed.SetStyle(style);
    pen->Assign(changed);
}

void TPqBaseObject::SetCoords(std::span<const double>, TPqMeasurement) {}

void TPqBaseObject::Offset(TPqMeasurement measurement, double dx, double dy) {
    OffsetInches(ConvertValue(measurement, pqInches, dx), ConvertValue(measurement, pqInches, dy));
    Changed();
}

void TPqBaseObject::SetClipped(bool clipped) {
    if (clipped_ == clipped)
        return;
    clipped_ = clipped;
    Changed();
}

void TPqBaseObject::SetClipRect(const InchRect& rect) {
    clipRect_ = rect;
    Changed();
}

void TPqBaseObject::SetPrintable(bool printable) {
    if (printable_ == printable)
        return;
    printable_ = printable;
    Changed();
}

void TPqBaseObject::Changed() {
    if (OnChange)
        OnChange();
}

QPoint DevicePoint(double x, double y) {
    return {DeviceUnits(x), DeviceUnits(y)};
}

QRect DeviceRect(double x1, double y1, double x2, double y2) {
    int left = DeviceUnits(x1);
    int top = DeviceUnits(y1);
    int right = DeviceUnits(x2);
    int bottom = DeviceUnits(y2);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace duebell
