// Drawing routines shared by the controls: glyph strips, transparent and embossed bitmaps,
// shortened captions.
#pragma once

#include "controls/tcolor.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

namespace duebell {

// The colour of a bitmap's bottom-left pixel, which marks its transparent parts.
TColor BitmapTransparentColor(const QImage& bitmap);

// A copy of the bitmap in which every pixel of the transparent colour is see-through.
QImage WithTransparentColor(const QImage& bitmap, TColor transparentColor);

// Cell `index` of a picture laid out as cols x rows equal cells, counted row by row.
// cols and rows below 1 count as 1, a negative index as 0; the cell keeps the source's
// transparency.
QImage AssignBitmapCell(const QImage& source, int cols, int rows, int index);

// Draws the source part of a bitmap scaled into dest, leaving the pixels of the transparent
// colour unpainted.
void StretchBitmapTransparent(QPainter& painter, const QImage& bitmap, TColor transparentColor,
                              const QRect& dest, const QRect& source);
void DrawBitmapTransparent(QPainter& painter, int x, int y, const QImage& bitmap,
                           TColor transparentColor);

// Paints, with the control's top-left corner at the painter's origin, what the control's parent
// draws itself (its background and its own painting, none of its child widgets) under the
// control: the backdrop a see-through control lays its face over. Nothing for a top-level
// window.
void PaintParentBackground(const QWidget& control, QPainter& painter);

// The embossed image of a glyph for the disabled state: its dark shape in the button
// highlight colour one pixel down and right, then in the button shadow colour in place; the
// rest is transparent so it shows the button face beneath.
QImage CreateDisabledBitmap(const QImage& glyph, TColor transparentColor, const QPalette& palette);

// Right minus left and bottom minus top of a rectangle whose right and bottom edges lie just
// outside it (Qt's right() and bottom() are the last pixel inside); a turned-round rectangle
// gives a negative extent.
constexpr int RectWidth(const QRect& r) {
    return r.width();
}
constexpr int RectHeight(const QRect& r) {
    return r.height();
}

// Draws image 'index' of an image list embossed at (x, y): its shape (its visible dark pixels)
// in the palette's highlight colour one pixel down and right, then in its shadow colour in
// place. An index outside the list draws nothing.
void DrawDisabledImage(const std::vector<QImage>& images, QPainter& painter, int x, int y,
                       int index, const QPalette& palette);

// Drops characters from the end and appends "..." until the text fits maxWidth.
std::string ShortenText(const QFontMetrics& metrics, const std::string& text, int maxWidth);

// Stands in for a function not built yet: sets the screen cursor back, shows "Function not yet
// implemented" as information, then ends the operation silently (EAbort).
[[noreturn]] void NotImplemented();

// Whether one of the program's windows is the active window (hover looks show only then).
bool IsForegroundTask();

} // namespace duebell
