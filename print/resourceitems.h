// The pooled descriptions of brushes, fonts and pens: small values with a change event,
// their equality rules (which decide pool sharing) and their stored forms.
#pragma once

#include "print/binarystream.h"
#include "print/types.h"

#include <cstdint>
#include <string>

class QBrush;
class QColor;
class QFont;
class QPen;

namespace duebell {

class TPqBrush {
public:
    TPqBrush() = default;
    TPqBrush(const TPqBrush&) = delete;
    TPqBrush& operator=(const TPqBrush&) = delete;

    // Copies every field and fires OnChange.
    void Assign(const TPqBrush& source);
    // From a device brush: its colour, then its style (patterns the class library lacks count
    // as solid); fires OnChange.
    void Assign(const QBrush& source);

    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    TColor Color() const { return color_; }
    // A new colour also makes the brush solid.
    void SetColor(TColor color);

    void ReadFromStream(TPqStream& stream); // 5 bytes: style, colour
    void WriteToStream(TPqStream& stream) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    TBrushStyle style_ = bsClear;
    TColor color_ = clWhite;
};

class TPqFont {
public:
    static constexpr std::size_t MaxStoredNameLength = 32;

    TPqFont() = default;
    TPqFont(const TPqFont&) = delete;
    TPqFont& operator=(const TPqFont&) = delete;

    void Assign(const TPqFont& source);
    // From a device font and the colour it is drawn in: size (points; a font sized in pixels
    // counts them at 96 per inch), style, colour, the default character set and the family
    // name, with Angle 0; fires OnChange.
    void Assign(const QFont& source, const QColor& color);

    int Size() const { return size_; } // points
    void SetSize(int size);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    double Angle() const { return angle_; } // degrees, counter-clockwise
    void SetAngle(double angle);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t charset);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);

    // 53 bytes: size, style, angle, colour, charset, name (length byte and 32 characters).
    void ReadFromStream(TPqStream& stream);
    void WriteToStream(TPqStream& stream) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    int size_ = 12;
    TFontStyles style_ = 0;
    double angle_ = 0;
    TColor color_ = clBlack;
    std::uint8_t charset_ = 1;
    std::string name_ = "Arial";
};

class TPqPen {
public:
    TPqPen() = default;
    TPqPen(const TPqPen&) = delete;
    TPqPen& operator=(const TPqPen&) = delete;

    void Assign(const TPqPen& source);
    // From a device pen: colour, width, the copy mode and style (a custom dash counts as
    // solid); fires OnChange.
    void Assign(const QPen& source);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; } // device pixels at 600 per inch
    void SetWidth(int width);
    std::uint8_t Mode() const { return mode_; }
    void SetMode(std::uint8_t mode);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

    void ReadFromStream(TPqStream& stream); // 10 bytes: colour, width, mode, style
    void WriteToStream(TPqStream& stream) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    std::uint8_t mode_ = pmCopy;
    TPenStyle style_ = psSolid;
};

// The rules by which a pool reuses an item instead of adding a second.
bool BrushesEqual(const TPqBrush& a, const TPqBrush& b);
// Names compare case-sensitively; the character set is not compared.
bool FontsEqual(const TPqFont& a, const TPqFont& b);
bool PensEqual(const TPqPen& a, const TPqPen& b);

} // namespace duebell
