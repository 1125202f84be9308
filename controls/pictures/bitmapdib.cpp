#include "controls/pictures/bitmapdib.h"

#include "controls/pictures/qtpixels.h"

namespace duebell::pictures {

QByteArray BitmapToDib(const QImage& bitmap, TPixelFormat format, TPaletteMethod method) {
    return QByteArray::fromStdString(BitmapToDib(ToRgbImage(bitmap), format, method));
}

QByteArray BitmapToDibForColors(const QImage& bitmap, int colorCount) {
    return QByteArray::fromStdString(BitmapToDibForColors(ToRgbImage(bitmap), colorCount));
}

} // namespace duebell::pictures
