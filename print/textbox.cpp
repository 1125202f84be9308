#include "print/textbox.h"

#include "print/tokens.h"

namespace duebell {

int AlignmentToDrawTextFlag(TAlignment alignment) {
    switch (alignment) {
    case taCenter:
        return 1;
    case taRightJustify:
        return 2;
    case taLeftJustify:
        break;
    }
    return 0;
}

TPqTextBoxObject::TPqTextBoxObject(TPqResourceTable& resourceTable)
    : TPqFilledShape(resourceTable), font_(resourceTable.Fonts(), [this] { Changed(); }) {}

int TPqTextBoxObject::DataSize() const {
    return TPqFilledShape::DataSize() + 32 + static_cast<int>(text_.size());
}

template <class T> void TPqTextBoxObject::Store(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    Changed();
}

void TPqTextBoxObject::SetAlignment(TAlignment alignment) {
    Store(alignment_, alignment);
}
void TPqTextBoxObject::SetVertAlignment(TPqVertAlignment alignment) {
    Store(vertAlignment_, alignment);
}
void TPqTextBoxObject::SetWordWrap(bool wrap) {
    Store(wordWrap_, wrap);
}
void TPqTextBoxObject::SetClipText(bool clip) {
    Store(clipText_, clip);
}
void TPqTextBoxObject::SetText(const std::string& text) {
    Store(text_, text);
}
void TPqTextBoxObject::SetTextIndent(double inches) {
    Store(textIndent_, inches);
}
void TPqTextBoxObject::SetTextHeight(double inches) {
    Store(textHeight_, inches);
}

void TPqTextBoxObject::LoadFromStream(TPqStream& stream) {
    TPqFilledShape::LoadFromStream(stream);
    auto alignment = static_cast<std::uint8_t>(alignment_);
    auto vertAlignment = static_cast<std::uint8_t>(vertAlignment_);
    stream.ReadGuarded(alignment);
    stream.ReadGuarded(vertAlignment);
    alignment_ = static_cast<TAlignment>(alignment);
    vertAlignment_ = static_cast<TPqVertAlignment>(vertAlignment);
    std::int32_t font = -1;
    stream.ReadGuarded(font);
    font_.SetIndex(font);
    stream.ReadGuarded(wordWrap_);
    stream.ReadGuarded(text_);
    stream.ReadGuarded(clipText_);
    stream.ReadGuarded(textIndent_);
    stream.ReadGuarded(textHeight_);
}

void TPqTextBoxObject::SaveToStream(TPqStream& stream) const {
    TPqFilledShape::SaveToStream(stream);
    stream.WriteByte(alignment_);
    stream.WriteByte(vertAlignment_);
    WriteIndex(stream, font_.Index());
    stream.WriteBool(wordWrap_);
    stream.WriteString(text_);
    stream.WriteBool(clipText_);
    stream.WriteExtended(textIndent_);
    stream.WriteExtended(textHeight_);
}

void TPqTextBoxObject::DrawContent(TPqDeviceCanvas& canvas) const {
    const TPqFont defaultFont;
    canvas.SelectFont(font_.Pooled() ? *font_.Pooled() : defaultFont, 0);
    SelectPenAndBrush(canvas);
    QRect box = Rect();
    canvas.Polygon(ClosedRectangle(DevicePoint(x1_, y1_), DevicePoint(x2_, y2_)));

    int indent = DeviceUnits(textIndent_);
    QRect text = box.adjusted(indent, indent, -indent, -indent);
    int textHeight = DeviceUnits(textHeight_);
    if (vertAlignment_ == pqMiddle)
        text.setTop(text.top() + (text.height() - textHeight) / 2);
    else if (vertAlignment_ == pqBottom)
        text.setTop(text.top() + text.height() - textHeight);

    canvas.SelectClearBrush();
    const TPqDrawContext& context = canvas.Context();
    std::string shown = ReplaceTokens(text_, context.PageNumber, context.PageCount,
                                      CaptionTimeFormat, CaptionDateFormat, context.Timestamp);
    canvas.DrawText(text, QString::fromStdString(shown),
                    {AlignmentToDrawTextFlag(alignment_), wordWrap_, !clipText_, true});
}

} // namespace duebell
