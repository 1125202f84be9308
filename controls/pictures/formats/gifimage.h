// A GIF file held in memory: the logical screen with its colour table, the frames with their
// extensions, and each frame's LZW-coded data beside its decoded pixels. Reading is
// gifread.h, writing gifwrite.h; the picture class (gifpicture.h) shares one of these between
// its copies.
#pragma once

#include "controls/pictures/formats/pixels.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace duebell::pictures {

enum class TExtensionKind : std::uint8_t {
    GraphicControl = 0,
    PlainText = 1,
    Application = 2,
    Comment = 3
};

// An extension block kept as read. `header` is the kind's fixed first sub-block with its size
// byte (13 bytes for plain text; 12 for an application: size and the 11-byte identifier);
// `blocks` are the data sub-blocks that follow, each at most 255 bytes.
struct TExtension {
    TExtensionKind kind = TExtensionKind::Application;
    std::string header;
    std::vector<std::string> blocks;
    bool operator==(const TExtension&) const = default;
};

// A frame's LZW stream (the sub-blocks joined) and its initial code size.
struct TGifCodedData {
    int codeSize = 8;
    std::string bytes;
};

enum TGifDisposal : int { dmNone = 0, dmKeep = 1, dmBackground = 2, dmPrevious = 3 };

struct TGifPictureFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    TColorTable colorTable; // the frame's own; empty when it uses the global one
    bool interlaced = false;
    int transparentIndex = -1; // -1: none
    int disposal = dmNone;
    int delay = 0; // hundredths of a second
    // Plain-text and application extensions that came before the frame (the graphic control
    // is held in the fields above, comments and the loop in the image).
    std::vector<TExtension> extensions;
    std::shared_ptr<const TGifCodedData> coded;
    std::vector<std::uint8_t> pixels; // one index per pixel, rows top-down

    bool HasGraphicControl() const {
        return transparentIndex >= 0 || delay != 0 || disposal != dmNone;
    }
};

struct TGifSharedImage {
    int version = 0; // 0 none, 1 "87a", 2 "89a"
    int width = 0;   // the logical screen
    int height = 0;
    int backgroundIndex = 0;
    int aspectRatio = 0;
    TColorTable colorTable; // global; empty when absent
    std::vector<TGifPictureFrame> frames;
    bool looping = false;
    int loopCount = 0; // 0: for ever
    std::string comment;
    bool corrupted = false; // damaged data was tolerated while reading
};

// 2, 4, ... 256 colours -> 1 .. 8 bits; any other count raises EInvalidGraphicOperation
// "Wrong number of colors; must be a power of 2".
int ColorCountToBits(int count);

// The table that colours a frame: its own, else the global one, else a grey ramp of
// 2^codeSize entries for files that carry no table at all.
TColorTable FrameColorTable(const TGifSharedImage& image, const TGifPictureFrame& frame);

// The display rows of an interlaced frame in the order its data holds them: every 8th row
// from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> InterlacedRows(int height);

// Codes the frame's pixels (rows in display order, interleaved when the frame is interlaced)
// into frame.coded, with the code size its colour table needs.
void EncodeFrame(const TGifSharedImage& image, TGifPictureFrame& frame);

enum class TProgressStage { Starting, Running, Ending };
// Told of the start, of the percentage of the coded data consumed, and of the end.
using TProgressEvent = std::function<void(TProgressStage, int percent)>;

} // namespace duebell::pictures
