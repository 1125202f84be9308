// The sizes a stored picture may claim. A real picture in a document never reaches
// MaxStoredPicturePixels, and no coding of a JPEG (an 8 x 8 block takes at least a bit or two)
// or of a run-length bitmap spells more than MaxPixelsPerStoredByte pixels with one byte: a
// size beyond either is damage, refused before anything is allocated for it.
#pragma once

namespace duebell {

inline constexpr long long MaxStoredPicturePixels = 64LL * 1024 * 1024;
inline constexpr long long MaxPixelsPerStoredByte = 1024;

constexpr bool IsHeldPictureSize(long long width, long long height, long long bytes) {
    return width > 0 && height > 0 && width <= MaxStoredPicturePixels / height &&
           width * height <= bytes * MaxPixelsPerStoredByte;
}

} // namespace duebell
