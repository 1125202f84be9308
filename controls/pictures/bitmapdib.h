// Colour reduction of a Qt bitmap into a device-independent bitmap file held in memory.
#pragma once

#include "controls/pictures/formats/colorreduction.h"

#include <QByteArray>
#include <QImage>

namespace duebell::pictures {

// A bitmap file of the format, its palette built by the method (see formats/colorreduction.h).
// A null bitmap raises EInvalidGraphic "Bitmap image is not valid".
QByteArray BitmapToDib(const QImage& bitmap, TPixelFormat format, TPaletteMethod method);
// The format picked by the colour count (up to 2: 1 bit, 16: 4 bits, 256: 8 bits, more: 24),
// with the histogram method.
QByteArray BitmapToDibForColors(const QImage& bitmap, int colorCount);

} // namespace duebell::pictures
