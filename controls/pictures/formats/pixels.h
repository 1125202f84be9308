// Pictures as plain pixel arrays, shared by the codecs: colours are 0xAARRGGBB words (the
// layout of Qt's QRgb), rows run top-down without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace duebell::pictures {

using TArgb = std::uint32_t;
using TColorTable = std::vector<TArgb>;

constexpr TArgb MakeArgb(int red, int green, int blue, int alpha = 255) {
    return (static_cast<TArgb>(alpha) << 24) | (static_cast<TArgb>(red) << 16) |
           (static_cast<TArgb>(green) << 8) | static_cast<TArgb>(blue);
}
constexpr int RedOf(TArgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenOf(TArgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(TArgb c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int AlphaOf(TArgb c) {
    return static_cast<int>(c >> 24);
}

// A true-colour picture.
struct TRgbImage {
    int width = 0;
    int height = 0;
    std::vector<TArgb> pixels; // width * height
};

// A picture of palette indices.
struct TIndexedImage {
    int width = 0;
    int height = 0;
    TColorTable palette;
    std::vector<std::uint8_t> indices; // width * height
};

// The largest picture any reader here allocates, in pixels (a square of 8192): beyond it a
// size is taken as damage, not as a picture.
constexpr std::size_t MaxPicturePixels = std::size_t{1} << 26;

// True when width x height is a size a reader may allocate.
constexpr bool IsSanePictureSize(std::size_t width, std::size_t height) {
    return width > 0 && height > 0 && width <= MaxPicturePixels / height;
}

} // namespace duebell::pictures
