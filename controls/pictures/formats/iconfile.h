// Icon (.ico) and cursor (.cur) files: a directory of images, each a bitmap with its AND
// mask or a PNG. Read for icon lists and for the frames of animated cursors; icons are
// written as 32-bit bitmaps with their masks.
#pragma once

#include "controls/pictures/formats/pixels.h"

#include <string>
#include <string_view>
#include <vector>

namespace duebell::pictures {

struct TIconImage {
    int width = 0;
    int height = 0;
    int bitCount = 32;
    int hotspotX = 0; // cursors only
    int hotspotY = 0;
    std::vector<TArgb> pixels; // unpremultiplied, rows top-down; empty when `png` holds it
    std::string png;           // an image stored as PNG, for the caller to decode
};

struct TIconFile {
    bool cursor = false;
    std::vector<TIconImage> images;
};

// Raises EInvalidGraphic "Icon image is not valid" for what is not an icon or cursor file
// (or holds an image wider or taller than 256, or images of more than 4M pixels together),
// EReadError when the data ends early.
TIconFile ReadIconFile(std::string_view bytes);

// The image a single picture stands for: the largest, then the deepest.
const TIconImage& BestIconImage(const TIconFile& file);

// An icon file of the images (no PNG ones), each 1 to 256 pixels square or oblong; other
// sizes raise EInvalidGraphic "Icon image is not valid". A pixel with alpha 0 is masked out.
std::string WriteIconFile(const std::vector<TIconImage>& images);

} // namespace duebell::pictures
