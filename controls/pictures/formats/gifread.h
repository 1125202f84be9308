// Reading a GIF87a or GIF89a file: the header, the logical screen, the extensions and every
// frame, each frame decoded at once.
#pragma once

#include "controls/pictures/formats/bytereader.h"
#include "controls/pictures/formats/gifimage.h"

namespace duebell::pictures {

struct TGifReadOptions {
    // Damaged data (a bad code size or code, data or blocks that end early) marks the image
    // corrupted and keeps what was decoded, instead of raising.
    bool tolerateDamage = false;
    TProgressEvent progress;
    // The most pixels all frames together may hold, and the screen they are drawn on (the
    // logical screen, or as far as the frames reach when it has no size); each frame and the
    // screen are also held to MaxPicturePixels.
    std::size_t maxTotalPixels = std::size_t{1} << 27;
};

// Reads one GIF file from the reader's position up to and including its trailer. Raises
// EInvalidGraphicOperation for what is not a GIF the reader knows ("Unknown GIF version",
// "Unrecognized extension block: 3a", "GIF image is too large", and the decoder's messages)
// and EReadError for data that ends early or breaks the block structure. Palette indices
// beyond a frame's colour table are clamped to its last entry.
TGifSharedImage ReadGif(ByteReader& in, const TGifReadOptions& options = {});

} // namespace duebell::pictures
