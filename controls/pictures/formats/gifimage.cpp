#include "controls/pictures/formats/gifimage.h"

#include "controls/pictures/formats/lzwgif.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>

namespace duebell::pictures {

int ColorCountToBits(int count) {
    for (int bits = 1; bits <= 8; ++bits) {
        if (count == 1 << bits) {
            return bits;
        }
    }
    throw EInvalidGraphicOperation("Wrong number of colors; must be a power of 2");
}

TColorTable FrameColorTable(const TGifSharedImage& image, const TGifPictureFrame& frame) {
    if (!frame.colorTable.empty()) {
        return frame.colorTable;
    }
    if (!image.colorTable.empty()) {
        return image.colorTable;
    }
    const int codeSize = frame.coded ? std::clamp(frame.coded->codeSize, 1, 8) : 8;
    const int count = 1 << codeSize;
    TColorTable greys(count);
    for (int i = 0; i < count; ++i) {
        const int level = i * 255 / (count - 1);
        greys[i] = MakeArgb(level, level, level);
    }
    return greys;
}

std::vector<int> InterlacedRows(int height) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(std::max(height, 0)));
    static constexpr int starts[] = {0, 4, 2, 1};
    static constexpr int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int row = starts[pass]; row < height; row += steps[pass]) {
            rows.push_back(row);
        }
    }
    return rows;
}

void EncodeFrame(const TGifSharedImage& image, TGifPictureFrame& frame) {
    const std::size_t width = static_cast<std::size_t>(std::max(frame.width, 0));
    const std::size_t height = static_cast<std::size_t>(std::max(frame.height, 0));
    if (frame.pixels.size() != width * height) {
        throw EInvalidGraphicOperation("GIF image encoding error");
    }
    const TColorTable table = FrameColorTable(image, frame);
    const int codeSize = std::max(2, ColorCountToBits(static_cast<int>(table.size())));
    if (!frame.interlaced) {
        frame.coded = std::make_shared<TGifCodedData>(LzwEncodeGif(frame.pixels, codeSize));
        return;
    }
    std::vector<std::uint8_t> passOrder;
    passOrder.reserve(frame.pixels.size());
    for (const int row : InterlacedRows(frame.height)) {
        const auto start = frame.pixels.begin() + static_cast<std::ptrdiff_t>(row * width);
        passOrder.insert(passOrder.end(), start, start + static_cast<std::ptrdiff_t>(width));
    }
    frame.coded = std::make_shared<TGifCodedData>(LzwEncodeGif(passOrder, codeSize));
}

} // namespace duebell::pictures
