#include "controls/guiutils.h"

#include "controls/uihooks.h"
#include "objectlist/exceptions.h"

#include <QApplication>
#include <algorithm>

namespace duebell {

namespace {

QRgb ToRgb(TColor color) {
    return qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

// Pixels that make up a glyph's drawn shape: visible and darker than the light greys a
// glyph uses for its background.
bool IsShapePixel(QRgb pixel) {
    return qAlpha(pixel) > 0 && qGray(pixel) < 192;
}

// The image's shape in one colour, everything else see-through.
QImage ShapeIn(const QImage& image, QRgb colour) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage shape(source.size(), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (IsShapePixel(source.pixel(x, y)))
                shape.setPixel(x, y, colour);
    return shape;
}

} // namespace

TColor BitmapTransparentColor(const QImage& bitmap) {
    if (bitmap.isNull())
        return clNone;
    QRgb p = bitmap.pixel(0, bitmap.height() - 1);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

QImage WithTransparentColor(const QImage& bitmap, TColor transparentColor) {
    QImage result = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (transparentColor == clNone || IsSystemColor(transparentColor))
        return result;
    const QRgb key = ToRgb(transparentColor) & 0xFFFFFF;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return result;
}

QImage AssignBitmapCell(const QImage& source, int cols, int rows, int index) {
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    index = std::max(index, 0);
    const int w = source.width() / cols;
    const int h = source.height() / rows;
    return source.copy((index % cols) * w, (index / cols) * h, w, h);
}

void StretchBitmapTransparent(QPainter& painter, const QImage& bitmap, TColor transparentColor,
                              const QRect& dest, const QRect& source) {
    painter.drawImage(dest, WithTransparentColor(bitmap, transparentColor), source);
}

void DrawBitmapTransparent(QPainter& painter, int x, int y, const QImage& bitmap,
                           TColor transparentColor) {
    StretchBitmapTransparent(painter, bitmap, transparentColor,
                             QRect(x, y, bitmap.width(), bitmap.height()), bitmap.rect());
}

void PaintParentBackground(const QWidget& control, QPainter& painter) {
    QWidget* parent = control.parentWidget();
    if (parent == nullptr || control.isWindow())
        return;
    // Leaving out DrawChildren keeps siblings and the control itself out of the backdrop,
    // which is also what stops a control painting itself through its parent.
    parent->render(&painter, QPoint(0, 0), QRegion(control.geometry()),
                   QWidget::DrawWindowBackground);
}

QImage CreateDisabledBitmap(const QImage& glyph, TColor transparentColor, const QPalette& palette) {
    const QImage source = WithTransparentColor(glyph, transparentColor);
    QImage result(source.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const QRgb highlight = palette.color(QPalette::Light).rgb();
    const QRgb shadow = palette.color(QPalette::Dark).rgb();
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (IsShapePixel(source.pixel(x, y)) && x + 1 < result.width() &&
                y + 1 < result.height())
                result.setPixel(x + 1, y + 1, highlight);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (IsShapePixel(source.pixel(x, y)))
                result.setPixel(x, y, shadow);
    return result;
}

void DrawDisabledImage(const std::vector<QImage>& images, QPainter& painter, int x, int y,
                       int index, const QPalette& palette) {
    if (index < 0 || index >= static_cast<int>(images.size()))
        return;
    const QImage& image = images[static_cast<std::size_t>(index)];
    painter.drawImage(x + 1, y + 1, ShapeIn(image, palette.color(QPalette::Light).rgb()));
    painter.drawImage(x, y, ShapeIn(image, palette.color(QPalette::Dark).rgb()));
}

std::string ShortenText(const QFontMetrics& metrics, const std::string& text, int maxWidth) {
    auto width = [&](const std::string& s) {
        return metrics.horizontalAdvance(QString::fromStdString(s));
    };
    if (width(text) <= maxWidth)
        return text;
    std::string s = text;
    while (!s.empty() && width(s + "...") > maxWidth) {
        // Drop a whole UTF-8 character.
        while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80)
            s.pop_back();
        if (!s.empty())
            s.pop_back();
    }
    return s + "...";
}

void NotImplemented() {
    SetScreenCursor(crDefault);
    ShowInformation("Function not yet implemented");
    throw EAbort();
}

bool IsForegroundTask() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
           QApplication::activeWindow() != nullptr;
}

} // namespace duebell
