// Colour reduction: a true-colour picture to palette indices, the palette built by one of six
// methods, and device-independent bitmap files of 1, 4, 8 or 24 bits per pixel made from it.
// Alpha is ignored: reduction works on the colours alone.
#pragma once

#include "controls/pictures/formats/pixels.h"

#include <string>

namespace duebell::pictures {

enum class TPixelFormat { pf1bit = 1, pf4bit = 4, pf8bit = 8, pf24bit = 24 };

// 2, 16 or 256; 0 for 24 bits.
int PixelFormatColorCount(TPixelFormat format);
// The bytes of one DIB row: rows are padded to whole 32-bit words.
int DibRowSize(int bitsPerPixel, int width);
// Up to 2 colours 1 bit, up to 16 4 bits, up to 256 8 bits, more 24 bits.
TPixelFormat PixelFormatForColors(int colorCount);

enum class TPaletteMethod {
    // The picture's own colours, the colour precision coarsened one channel at a time (blue,
    // red, green) until they fit; each palette entry is the mean of the colours it stands for.
    Histogram = 0,
    MedianCut = 1,
    ColorGrid = 2, // 7 x 8 x 4 levels of red, green and blue: 224 colours
    ColorCube = 3, // 6 levels each, 0, 51, ... 255: 216 colours
    Grey64 = 4,    // greys 0, 4, ... 252
    Grey256 = 5,   // greys 0 .. 255
};

// The picture as indices into a palette of at most `colorCount` (2, 16 or 256) entries. The
// fixed palettes (grid, cube, greys) are 8-bit palettes: with fewer colours the histogram
// method is used. Fixed palettes map each pixel to the nearest level per channel (greys by
// luminance); the other methods map each colour to the entry built from it. A count of 0 or
// less raises EInvalidGraphicOperation "Wrong number of colors; must be a power of 2".
TIndexedImage ReduceColors(const TRgbImage& bitmap, int colorCount, TPaletteMethod method);

// Median cut over the picture's distinct colours, weighted by their pixel counts: the box
// with the widest channel range is split at its median until there are `colorCount` boxes.
TIndexedImage MedianCutQuantize(const TRgbImage& bitmap, int colorCount);

// A bitmap file ("BM", info header, palette of blue, green, red, reserved, then rows
// bottom-up padded to 4 bytes) of the requested format, reduced by the method. A picture
// without pixels raises EInvalidGraphic "Bitmap image is not valid".
std::string BitmapToDib(const TRgbImage& bitmap, TPixelFormat format, TPaletteMethod method);
// The same with the format picked by a colour count and the default (histogram) method.
std::string BitmapToDibForColors(const TRgbImage& bitmap, int colorCount);

} // namespace duebell::pictures
