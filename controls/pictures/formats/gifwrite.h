// Writing a GIF file: "GIF89a" whenever any extension is written (graphic control, loop,
// comment, a frame's own extensions), else "GIF87a".
#pragma once

#include "controls/pictures/formats/gifimage.h"

#include <string>

namespace duebell::pictures {

// True when writing the image writes an extension, and so "GIF89a".
bool WritesExtensions(const TGifSharedImage& image);

// The file's bytes. Each frame's coded data is written as it stands; a frame without any is
// coded from its pixels first. Raises EInvalidGraphicOperation "No GIF Data to write" for an
// image without frames, "Wrong number of colors; must be a power of 2" for a bad colour table
// and "GIF image encoding error" for pixels the table cannot hold.
std::string WriteGif(const TGifSharedImage& image);

} // namespace duebell::pictures
