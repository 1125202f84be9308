#include "print/textobject.h"

#include "print/tokens.h"
#include "print/units.h"

namespace duebell {

TPqTextObject::TPqTextObject(TPqResourceTable& resourceTable)
    : TPqBaseObject(resourceTable), brush_(resourceTable.Brushes(), [this] { Changed(); }),
      font_(resourceTable.Fonts(), [this] { Changed(); }) {}

int TPqTextObject::DataSize() const {
    return HeadSize() + 32 + static_cast<int>(text_.size());
}

InchRect TPqTextObject::GetBounds() const {
    const TPqFont defaultFont;
    const TPqFont& font = font_.Pooled() ? *font_.Pooled() : defaultFont;
    return {x_, y_, x_ + TextWidthInches(font, text_), y_ + TextHeightInches(font, text_)};
}

void TPqTextObject::LoadFromStream(TPqStream& stream) {
    TPqBaseObject::LoadFromStream(stream);
    std::int32_t brush = -1;
    std::int32_t font = -1;
    stream.ReadGuarded(brush);
    stream.ReadGuarded(font);
    brush_.SetIndex(brush);
    font_.SetIndex(font);
    stream.ReadGuarded(x_);
    stream.ReadGuarded(y_);
    stream.ReadGuarded(text_);
}

void TPqTextObject::SaveToStream(TPqStream& stream) const {
    TPqBaseObject::SaveToStream(stream);
    WriteIndex(stream, brush_.Index());
    WriteIndex(stream, font_.Index());
    stream.WriteExtended(x_);
    stream.WriteExtended(y_);
    stream.WriteString(text_);
}

void TPqTextObject::SetCoords(std::span<const double> values, TPqMeasurement measurement) {
    if (values.size() < 2)
        return;
    x_ = ConvertValue(measurement, pqInches, values[0]);
    y_ = ConvertValue(measurement, pqInches, values[1]);
    Changed();
}

void TPqTextObject::SetText(const std::string& text) {
    if (text_ == text)
        return;
    text_ = text;
    Changed();
}

void TPqTextObject::DrawContent(TPqDeviceCanvas& canvas) const {
    const TPqBrush clearBrush;
    const TPqFont defaultFont;
    const TPqFont& font = font_.Pooled() ? *font_.Pooled() : defaultFont;
    canvas.SelectBrush(brush_.Pooled() ? *brush_.Pooled() : clearBrush);
    canvas.SelectFont(font, font.Angle());
    const TPqDrawContext& context = canvas.Context();
    std::string text = ReplaceTokens(text_, context.PageNumber, context.PageCount,
                                     CaptionTimeFormat, CaptionDateFormat, context.Timestamp);
    canvas.TextOut(DevicePoint(x_, y_), QString::fromStdString(text));
}

void TPqTextObject::OffsetInches(double dx, double dy) {
    x_ += dx;
    y_ += dy;
}

} // namespace duebell
