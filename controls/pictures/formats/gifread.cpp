#include "controls/pictures/formats/gifread.h"

#include "controls/pictures/formats/lzwgif.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>
#include <cstdio>

namespace duebell::pictures {

namespace {

constexpr std::uint8_t ExtensionIntroducer = 0x21;
constexpr std::uint8_t ImageSeparator = 0x2C;
constexpr std::uint8_t Trailer = 0x3B;
constexpr std::uint8_t GraphicControlLabel = 0xF9;
constexpr std::uint8_t CommentLabel = 0xFE;
constexpr std::uint8_t PlainTextLabel = 0x01;
constexpr std::uint8_t ApplicationLabel = 0xFF;

TColorTable ReadColorTable(ByteReader& in, int bits) {
    TColorTable table(std::size_t{1} << bits);
    for (TArgb& entry : table) {
        const std::string_view rgb = in.Bytes(3);
        entry = MakeArgb(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                         static_cast<std::uint8_t>(rgb[2]));
    }
    return table;
}

// The most pixels LZW data can give: its k-th code after a clear spells at most k pixels (and
// never more than the table's 4096), and every code takes at least size + 1 bits.
std::size_t MostPixelsFrom(const TGifCodedData& coded) {
    const std::size_t codes = coded.bytes.size() * 8 / (coded.codeSize + 1);
    return std::min(codes * (codes + 1) / 2, codes * 4096);
}

bool IsLoopIdentifier(std::string_view header) {
    return header == "\x0bNETSCAPE2.0" || header == "\x0b"
                                                    "ANIMEXTS1.0";
}

class GifReader {
public:
    GifReader(ByteReader& in, const TGifReadOptions& options) : in_(in), options_(options) {}

    TGifSharedImage Read() {
        ReadHeader();
        try {
            ReadBlocks();
        } catch (const EReadError&) {
            // Data ending early: tolerated, the frames read so far stay.
            if (!options_.tolerateDamage) {
                throw;
            }
            image_.corrupted = true;
        }
        return std::move(image_);
    }

private:
    void ReadHeader() {
        if (in_.Bytes(3) != "GIF") {
            throw EInvalidGraphicOperation("Unknown GIF version");
        }
        const std::string_view version = in_.Bytes(3);
        if (version == "87a") {
            image_.version = 1;
        } else if (version == "89a") {
            image_.version = 2;
        } else {
            throw EInvalidGraphicOperation("Unknown GIF version");
        }
        image_.width = in_.Word();
        image_.height = in_.Word();
        const std::uint8_t packed = in_.Byte();
        image_.backgroundIndex = in_.Byte();
        image_.aspectRatio = in_.Byte();
        if (image_.width > 0 && image_.height > 0) {
            CheckScreen(image_.width, image_.height);
        }
        if (packed & 0x80) {
            image_.colorTable = ReadColorTable(in_, (packed & 7) + 1);
        }
    }

    // The screen frames are drawn on: a real picture's stays within both limits.
    void CheckScreen(int width, int height) const {
        if (!IsSanePictureSize(width, height) ||
            static_cast<std::size_t>(width) * height > options_.maxTotalPixels) {
            throw EInvalidGraphicOperation("GIF image is too large");
        }
    }

    void ReadBlocks() {
        for (;;) {
            const std::uint8_t introducer = in_.Byte();
            if (introducer == Trailer) {
                return;
            }
            if (introducer == ExtensionIntroducer) {
                ReadExtension();
            } else if (introducer == ImageSeparator) {
                ReadFrame();
            } else {
                throw EReadError();
            }
        }
    }

    // The data sub-blocks up to the terminator.
    std::vector<std::string> ReadSubBlocks() {
        std::vector<std::string> blocks;
        for (std::uint8_t size = in_.Byte(); size != 0; size = in_.Byte()) {
            blocks.emplace_back(in_.Bytes(size));
        }
        return blocks;
    }

    void ReadExtension() {
        const std::uint8_t label = in_.Byte();
        switch (label) {
        case GraphicControlLabel:
            ReadGraphicControl();
            return;
        case CommentLabel:
            for (const std::string& block : ReadSubBlocks()) {
                image_.comment += block;
            }
            return;
        case PlainTextLabel:
        case ApplicationLabel:
            break;
        default: {
            char text[64];
            std::snprintf(text, sizeof text, "Unrecognized extension block: %.2x", label);
            throw EInvalidGraphicOperation(text);
        }
        }
        TExtension extension;
        extension.kind =
            label == PlainTextLabel ? TExtensionKind::PlainText : TExtensionKind::Application;
        const std::uint8_t headerSize = in_.Byte();
        extension.header.push_back(static_cast<char>(headerSize));
        extension.header += in_.Bytes(headerSize);
        extension.blocks = ReadSubBlocks();
        if (extension.kind == TExtensionKind::Application && IsLoopIdentifier(extension.header) &&
            !extension.blocks.empty() && extension.blocks[0].size() >= 3 &&
            extension.blocks[0][0] == 1) {
            const std::string& loop = extension.blocks[0];
            image_.looping = true;
            image_.loopCount =
                static_cast<std::uint8_t>(loop[1]) | (static_cast<std::uint8_t>(loop[2]) << 8);
            return;
        }
        pending_.extensions.push_back(std::move(extension));
    }

    // Its four bytes give the next frame its disposal, delay and transparent colour.
    void ReadGraphicControl() {
        const std::vector<std::string> blocks = ReadSubBlocks();
        if (blocks.empty() || blocks[0].size() < 4) {
            return;
        }
        const auto byte = [&](int i) { return static_cast<std::uint8_t>(blocks[0][i]); };
        pending_.disposal = (byte(0) >> 2) & 7;
        pending_.delay = byte(1) | (byte(2) << 8);
        pending_.transparentIndex = (byte(0) & 1) ? byte(3) : -1;
    }

    void ReadFrame() {
        TGifPictureFrame frame = std::move(pending_);
        pending_ = {};
        frame.left = in_.Word();
        frame.top = in_.Word();
        frame.width = in_.Word();
        frame.height = in_.Word();
        const std::uint8_t packed = in_.Byte();
        frame.interlaced = (packed & 0x40) != 0;
        if (packed & 0x80) {
            frame.colorTable = ReadColorTable(in_, (packed & 7) + 1);
        }
        // A screen without a size is drawn as large as the frames reach.
        if (image_.width == 0 || image_.height == 0) {
            extentWidth_ = std::max(extentWidth_, frame.left + frame.width);
            extentHeight_ = std::max(extentHeight_, frame.top + frame.height);
            if (extentWidth_ > 0 && extentHeight_ > 0) {
                CheckScreen(extentWidth_, extentHeight_);
            }
        }
        const std::size_t area = static_cast<std::size_t>(frame.width) * frame.height;
        if (area > 0 && (!IsSanePictureSize(frame.width, frame.height) ||
                         area > options_.maxTotalPixels - totalPixels_)) {
            throw EInvalidGraphicOperation("GIF image is too large");
        }
        totalPixels_ += area;

        auto coded = std::make_shared<TGifCodedData>();
        coded->codeSize = in_.Byte();
        bool blocksEnded = true;
        try {
            for (std::uint8_t size = in_.Byte(); size != 0; size = in_.Byte()) {
                coded->bytes += in_.Bytes(size);
            }
        } catch (const EReadError&) {
            if (!options_.tolerateDamage) {
                throw;
            }
            blocksEnded = false; // decode what came, then stop reading
        }
        if (!options_.tolerateDamage) {
            // Faults the decoder would find, found before the frame is allocated.
            CheckGifCodeSize(coded->codeSize);
            if (area > MostPixelsFrom(*coded)) {
                throw EReadError(); // the data would run out
            }
        }
        frame.coded = coded;
        Decode(frame);
        image_.frames.push_back(std::move(frame));
        if (!blocksEnded) {
            throw EReadError();
        }
    }

    void Decode(TGifPictureFrame& frame) {
        const std::size_t width = frame.width;
        frame.pixels.assign(width * frame.height, 0);
        std::vector<std::uint8_t> passOrder;
        std::vector<std::uint8_t>& target = frame.interlaced ? passOrder : frame.pixels;
        if (frame.interlaced) {
            passOrder.assign(frame.pixels.size(), 0);
        }
        if (LzwDecodeGif(*frame.coded, target, options_.tolerateDamage, options_.progress)) {
            image_.corrupted = true;
        }
        if (frame.interlaced) {
            const std::vector<int> rows = InterlacedRows(frame.height);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                std::copy_n(passOrder.begin() + static_cast<std::ptrdiff_t>(i * width), width,
                            frame.pixels.begin() + static_cast<std::ptrdiff_t>(rows[i] * width));
            }
        }
        // Indices beyond the table take its last colour.
        const std::size_t count = FrameColorTable(image_, frame).size();
        const std::uint8_t last = static_cast<std::uint8_t>(count - 1);
        if (count < 256) {
            for (std::uint8_t& pixel : frame.pixels) {
                pixel = std::min(pixel, last);
            }
        }
    }

    ByteReader& in_;
    const TGifReadOptions& options_;
    TGifSharedImage image_;
    TGifPictureFrame pending_; // what the extensions read so far give the next frame
    std::size_t totalPixels_ = 0;
    int extentWidth_ = 0; // how far the frames reach
    int extentHeight_ = 0;
};

} // namespace

TGifSharedImage ReadGif(ByteReader& in, const TGifReadOptions& options) {
    return GifReader(in, options).Read();
}

} // namespace duebell::pictures
