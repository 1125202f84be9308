#include "print/resourceitems.h"

#include "print/storefield.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace duebell {

namespace {

TBrushStyle FromQtBrushStyle(Qt::BrushStyle style) {
    switch (style) {
    case Qt::NoBrush:
        return bsClear;
    case Qt::HorPattern:
        return bsHorizontal;
    case Qt::VerPattern:
        return bsVertical;
    case Qt::FDiagPattern:
        return bsFDiagonal;
    case Qt::BDiagPattern:
        return bsBDiagonal;
    case Qt::CrossPattern:
        return bsCross;
    case Qt::DiagCrossPattern:
        return bsDiagCross;
    default:
        return bsSolid;
    }
}

TPenStyle FromQtPenStyle(Qt::PenStyle style) {
    switch (style) {
    case Qt::NoPen:
        return psClear;
    case Qt::DashLine:
        return psDash;
    case Qt::DotLine:
        return psDot;
    case Qt::DashDotLine:
        return psDashDot;
    case Qt::DashDotDotLine:
        return psDashDotDot;
    default:
        return psSolid;
    }
}

} // namespace

void TPqBrush::Changed() {
    if (OnChange)
        OnChange();
}

void TPqBrush::Assign(const TPqBrush& source) {
    style_ = source.style_;
    color_ = source.color_;
    Changed();
}

void TPqBrush::Assign(const QBrush& source) {
    color_ = FromQColor(source.color());
    style_ = FromQtBrushStyle(source.style());
    Changed();
}

void TPqBrush::SetStyle(TBrushStyle style) {
    if (Store(style_, style))
        Changed();
}

void TPqBrush::SetColor(TColor color) {
    if (!Store(color_, color))
        return;
    style_ = bsSolid;
    Changed();
}

void TPqBrush::ReadFromStream(TPqStream& stream) {
    style_ = static_cast<TBrushStyle>(stream.ReadByte());
    color_ = stream.ReadUInt32();
}

void TPqBrush::WriteToStream(TPqStream& stream) const {
    stream.WriteByte(style_);
    stream.WriteUInt32(color_);
}

void TPqFont::Changed() {
    if (OnChange)
        OnChange();
}

void TPqFont::Assign(const TPqFont& source) {
    size_ = source.size_;
    style_ = source.style_;
    angle_ = source.angle_;
    color_ = source.color_;
    charset_ = source.charset_;
    name_ = source.name_;
    Changed();
}

void TPqFont::Assign(const QFont& source, const QColor& color) {
    size_ = source.pointSizeF() > 0 ? static_cast<int>(std::lround(source.pointSizeF()))
                                    : static_cast<int>(std::lround(source.pixelSize() * 72.0 / 96));
    style_ = static_cast<TFontStyles>((source.bold() ? fsBold : 0) |
                                      (source.italic() ? fsItalic : 0) |
                                      (source.underline() ? fsUnderline : 0) |
                                      (source.strikeOut() ? fsStrikeOut : 0));
    color_ = FromQColor(color);
    charset_ = 1;
    name_ = source.family().toStdString();
    angle_ = 0;
    Changed();
}

void TPqFont::SetSize(int size) {
    if (Store(size_, size))
        Changed();
}

void TPqFont::SetStyle(TFontStyles style) {
    if (Store(style_, style))
        Changed();
}

void TPqFont::SetAngle(double angle) {
    if (Store(angle_, angle))
        Changed();
}

void TPqFont::SetColor(TColor color) {
    if (Store(color_, color))
        Changed();
}

void TPqFont::SetCharset(std::uint8_t charset) {
    if (Store(charset_, charset))
        Changed();
}

void TPqFont::SetName(const std::string& name) {
    if (Store(name_, name))
        Changed();
}

void TPqFont::ReadFromStream(TPqStream& stream) {
    size_ = stream.ReadInt32();
    style_ = stream.ReadByte();
    angle_ = stream.ReadExtended();
    color_ = stream.ReadUInt32();
    charset_ = stream.ReadByte();
    char name[MaxStoredNameLength + 1];
    stream.ReadBytes(name, sizeof name);
    auto length = std::min<std::size_t>(static_cast<std::uint8_t>(name[0]), MaxStoredNameLength);
    name_.assign(name + 1, length);
}

void TPqFont::WriteToStream(TPqStream& stream) const {
    stream.WriteInt32(size_);
    stream.WriteByte(style_);
    stream.WriteExtended(angle_);
    stream.WriteUInt32(color_);
    stream.WriteByte(charset_);
    // A short string of 32 characters: longer names are cut, the rest of the field is zero.
    std::size_t length = std::min(name_.size(), MaxStoredNameLength);
    char name[MaxStoredNameLength + 1] = {};
    name[0] = static_cast<char>(length);
    std::copy_n(name_.data(), length, name + 1);
    stream.WriteBytes(name, sizeof name);
}

void TPqPen::Changed() {
    if (OnChange)
        OnChange();
}

void TPqPen::Assign(const TPqPen& source) {
    color_ = source.color_;
    width_ = source.width_;
    mode_ = source.mode_;
    style_ = source.style_;
    Changed();
}

void TPqPen::Assign(const QPen& source) {
    color_ = FromQColor(source.color());
    width_ = source.width();
    mode_ = pmCopy;
    style_ = FromQtPenStyle(source.style());
    Changed();
}

void TPqPen::SetColor(TColor color) {
    if (Store(color_, color))
        Changed();
}

void TPqPen::SetWidth(int width) {
    if (Store(width_, width))
        Changed();
}

void TPqPen::SetMode(std::uint8_t mode) {
    if (Store(mode_, mode))
        Changed();
}

void TPqPen::SetStyle(TPenStyle style) {
    if (Store(style_, style))
        Changed();
}

void TPqPen::ReadFromStream(TPqStream& stream) {
    color_ = stream.ReadUInt32();
    width_ = stream.ReadInt32();
    mode_ = stream.ReadByte();
    style_ = static_cast<TPenStyle>(stream.ReadByte());
}

void TPqPen::WriteToStream(TPqStream& stream) const {
    stream.WriteUInt32(color_);
    stream.WriteInt32(width_);
    stream.WriteByte(mode_);
    stream.WriteByte(style_);
}

bool BrushesEqual(const TPqBrush& a, const TPqBrush& b) {
    return a.Style() == b.Style() && a.Color() == b.Color();
}

bool FontsEqual(const TPqFont& a, const TPqFont& b) {
    return a.Size() == b.Size() && a.Style() == b.Style() && a.Angle() == b.Angle() &&
           a.Color() == b.Color() && a.Name() == b.Name();
}

bool PensEqual(const TPqPen& a, const TPqPen& b) {
    return a.Color() == b.Color() && a.Width() == b.Width() && a.Mode() == b.Mode() &&
           a.Style() == b.Style();
}

} // namespace duebell
