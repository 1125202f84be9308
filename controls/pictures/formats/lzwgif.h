// The LZW coder of the GIF format: variable-width codes from size + 1 up to 12 bits, least
// significant bit first, with a clear and an end code.
#pragma once

#include "controls/pictures/formats/gifimage.h"

#include <cstdint>
#include <span>

namespace duebell::pictures {

// Raises EInvalidGraphicOperation "GIF code size not in range 2 to 9" for any other size.
void CheckGifCodeSize(int codeSize);

// Decodes `coded` into `pixels` in the order the codes give them (for an interlaced frame,
// pass order); decoding stops when `pixels` is full. Damage (a code size outside 2..9, a code
// beyond the next free code, an end code before the frame is full) raises
// EInvalidGraphicOperation ("GIF code size not in range 2 to 9", "GIF encoded data is
// corrupt"), and data that runs out raises EReadError; when `tolerateDamage` is set, it
// instead stops there (a bad code size is clamped) and the result is true ("corrupted").
// Pixels not decoded keep index 0.
bool LzwDecodeGif(const TGifCodedData& coded, std::span<std::uint8_t> pixels, bool tolerateDamage,
                  const TProgressEvent& progress = {});

// Codes the pixels with the given initial code size (2..8), a clear code first and again
// whenever the table fills. A pixel not below 2^codeSize raises EInvalidGraphicOperation
// "GIF image encoding error".
TGifCodedData LzwEncodeGif(std::span<const std::uint8_t> pixels, int codeSize);

} // namespace duebell::pictures
