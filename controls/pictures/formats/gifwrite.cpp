#include "controls/pictures/formats/gifwrite.h"

#include "controls/pictures/formats/bytereader.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>
#include <string_view>

namespace duebell::pictures {

namespace {

void PutByte(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

// Data in sub-blocks of at most 255 bytes, then the terminator.
void PutSubBlocks(std::string& out, std::string_view data) {
    while (!data.empty()) {
        const std::size_t size = std::min<std::size_t>(data.size(), 255);
        PutByte(out, static_cast<int>(size));
        out += data.substr(0, size);
        data.remove_prefix(size);
    }
    PutByte(out, 0);
}

// The packed size bits of a colour table (its flag is the caller's).
int TableSizeBits(const TColorTable& table) {
    return ColorCountToBits(static_cast<int>(table.size())) - 1;
}

void PutColorTable(std::string& out, const TColorTable& table) {
    for (const TArgb entry : table) {
        PutByte(out, RedOf(entry));
        PutByte(out, GreenOf(entry));
        PutByte(out, BlueOf(entry));
    }
}

void PutScreen(std::string& out, const TGifSharedImage& image) {
    out += WritesExtensions(image) ? "GIF89a" : "GIF87a";
    PutWord(out, static_cast<unsigned>(image.width));
    PutWord(out, static_cast<unsigned>(image.height));
    if (image.colorTable.empty()) {
        PutByte(out, 0x70); // no global table; 8 bits of colour resolution
    } else {
        const int bits = TableSizeBits(image.colorTable);
        PutByte(out, 0x80 | (bits << 4) | bits);
    }
    PutByte(out, image.backgroundIndex);
    PutByte(out, image.aspectRatio);
    PutColorTable(out, image.colorTable);
}

void PutLoop(std::string& out, int loopCount) {
    out += "\x21\xFF\x0BNETSCAPE2.0";
    std::string data = "\x01";
    PutWord(data, static_cast<unsigned>(loopCount));
    PutSubBlocks(out, data);
}

void PutGraphicControl(std::string& out, const TGifPictureFrame& frame) {
    out += "\x21\xF9\x04";
    PutByte(out, ((frame.disposal & 7) << 2) | (frame.transparentIndex >= 0 ? 1 : 0));
    PutWord(out, static_cast<unsigned>(frame.delay));
    PutByte(out, std::max(frame.transparentIndex, 0));
    PutByte(out, 0);
}

void PutExtension(std::string& out, const TExtension& extension) {
    PutByte(out, 0x21);
    PutByte(out, extension.kind == TExtensionKind::PlainText ? 0x01 : 0xFF);
    out += extension.header;
    for (const std::string& block : extension.blocks) {
        // A block longer than a sub-block holds goes out in pieces; an empty one would end
        // the extension and is left out.
        for (std::string_view rest = block; !rest.empty();) {
            const std::size_t size = std::min<std::size_t>(rest.size(), 255);
            PutByte(out, static_cast<int>(size));
            out += rest.substr(0, size);
            rest.remove_prefix(size);
        }
    }
    PutByte(out, 0);
}

// Positions and sizes are 16-bit words in the file.
void CheckWord(int value) {
    if (value < 0 || value > 0xFFFF) {
        throw EInvalidGraphicOperation("GIF image is too large");
    }
}

void PutFrame(std::string& out, const TGifSharedImage& image, const TGifPictureFrame& frame) {
    for (const int value : {frame.left, frame.top, frame.width, frame.height}) {
        CheckWord(value);
    }
    if (frame.HasGraphicControl()) {
        PutGraphicControl(out, frame);
    }
    for (const TExtension& extension : frame.extensions) {
        PutExtension(out, extension);
    }
    PutByte(out, 0x2C);
    PutWord(out, static_cast<unsigned>(frame.left));
    PutWord(out, static_cast<unsigned>(frame.top));
    PutWord(out, static_cast<unsigned>(frame.width));
    PutWord(out, static_cast<unsigned>(frame.height));
    int packed = frame.interlaced ? 0x40 : 0;
    if (!frame.colorTable.empty()) {
        packed |= 0x80 | TableSizeBits(frame.colorTable);
    }
    PutByte(out, packed);
    PutColorTable(out, frame.colorTable);

    TGifPictureFrame coded;
    const TGifCodedData* data = frame.coded.get();
    if (data == nullptr) {
        coded = frame;
        EncodeFrame(image, coded);
        data = coded.coded.get();
    }
    PutByte(out, data->codeSize);
    PutSubBlocks(out, data->bytes);
}

} // namespace

bool WritesExtensions(const TGifSharedImage& image) {
    if ((image.looping && image.frames.size() > 1) || !image.comment.empty()) {
        return true;
    }
    return std::any_of(image.frames.begin(), image.frames.end(), [](const auto& frame) {
        return frame.HasGraphicControl() || !frame.extensions.empty();
    });
}

std::string WriteGif(const TGifSharedImage& image) {
    if (image.frames.empty()) {
        throw EInvalidGraphicOperation("No GIF Data to write");
    }
    CheckWord(image.width);
    CheckWord(image.height);
    std::string out;
    PutScreen(out, image);
    if (image.looping && image.frames.size() > 1) {
        PutLoop(out, image.loopCount);
    }
    if (!image.comment.empty()) {
        out += "\x21\xFE";
        PutSubBlocks(out, image.comment);
    }
    for (const TGifPictureFrame& frame : image.frames) {
        PutFrame(out, image, frame);
    }
    PutByte(out, 0x3B);
    return out;
}

} // namespace duebell::pictures
