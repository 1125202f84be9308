#include "controls/pictures/formats/iconfile.h"

#include "controls/pictures/formats/bytereader.h"
#include "controls/pictures/formats/colorreduction.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>

namespace duebell::pictures {

namespace {

constexpr int MaxIconSide = 256;
// The most pixels one file's images may hold together: 64 images of 256 x 256. Directory
// entries may all point at the same image; this keeps such a file from multiplying it.
constexpr std::size_t MaxIconFilePixels = std::size_t{1} << 22;
constexpr std::string_view PngSignature = "\x89PNG\r\n\x1a\n";

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Icon image is not valid");
}

bool IsIconSide(std::int64_t side) {
    return side >= 1 && side <= MaxIconSide;
}

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

// A PNG image: its size from the header chunk; the pixels are the caller's to decode.
TIconImage ReadPngImage(std::string_view data) {
    if (data.size() < 24) {
        throw EReadError();
    }
    TIconImage image;
    image.width = static_cast<int>(std::min<std::uint32_t>(BigEndian(data, 16), 0x7FFFFFFF));
    image.height = static_cast<int>(std::min<std::uint32_t>(BigEndian(data, 20), 0x7FFFFFFF));
    if (!IsIconSide(image.width) || !IsIconSide(image.height)) {
        Invalid();
    }
    image.png = std::string(data);
    return image;
}

// A bitmap image: info header, palette, colour rows and AND-mask rows, both bottom-up; the
// header gives twice the height, for the two.
TIconImage ReadBitmapImage(std::string_view data) {
    ByteReader in(data);
    const std::uint32_t headerSize = in.DWord();
    const std::int32_t width = static_cast<std::int32_t>(in.DWord());
    const std::int32_t doubleHeight = static_cast<std::int32_t>(in.DWord());
    in.Word(); // planes
    const int bits = in.Word();
    const std::uint32_t compression = in.DWord();
    in.Skip(12); // image size, resolution
    const std::uint32_t colorsUsed = in.DWord();
    if (headerSize < 40 || headerSize > data.size() || !IsIconSide(width) ||
        doubleHeight % 2 != 0 || !IsIconSide(doubleHeight / 2) || compression != 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        Invalid();
    }
    in.Skip(headerSize - 36); // the rest of a longer header
    TIconImage image;
    image.width = width;
    image.height = doubleHeight / 2;
    image.bitCount = bits;

    TColorTable palette;
    if (bits <= 8) {
        const std::uint32_t most = 1u << bits;
        if (colorsUsed > most) {
            Invalid();
        }
        palette.resize(colorsUsed == 0 ? most : colorsUsed);
        for (TArgb& entry : palette) {
            entry = in.DWord() | 0xFF000000;
        }
    }
    const std::size_t rowSize = static_cast<std::size_t>(DibRowSize(bits, width));
    image.pixels.resize(static_cast<std::size_t>(width) * image.height);
    bool hasAlpha = false;
    for (int y = image.height - 1; y >= 0; --y) {
        const std::string_view row = in.Bytes(rowSize);
        TArgb* out = image.pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(row[i]); };
            if (bits == 32) {
                out[x] = MakeArgb(byte(4 * x + 2), byte(4 * x + 1), byte(4 * x), byte(4 * x + 3));
                hasAlpha = hasAlpha || AlphaOf(out[x]) != 0;
            } else if (bits == 24) {
                out[x] = MakeArgb(byte(3 * x + 2), byte(3 * x + 1), byte(3 * x));
            } else {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                const std::size_t index = (byte(x / perByte) >> shift) & ((1 << bits) - 1);
                out[x] = palette[std::min(index, palette.size() - 1)];
            }
        }
    }
    // Without alpha of its own the mask decides: a set bit is see-through. A 32-bit image
    // with alpha may leave its mask out.
    if (hasAlpha &&
        in.Remaining() < static_cast<std::size_t>(DibRowSize(1, width)) * image.height) {
        return image;
    }
    const std::size_t maskRowSize = static_cast<std::size_t>(DibRowSize(1, width));
    for (int y = image.height - 1; y >= 0; --y) {
        const std::string_view row = in.Bytes(maskRowSize);
        TArgb* out = image.pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width && !hasAlpha; ++x) {
            const bool masked = (static_cast<std::uint8_t>(row[x / 8]) >> (7 - x % 8)) & 1;
            out[x] = masked ? (out[x] & 0xFFFFFF) : (out[x] | 0xFF000000);
        }
    }
    return image;
}

} // namespace

TIconFile ReadIconFile(std::string_view bytes) {
    ByteReader in(bytes);
    const std::uint16_t reserved = in.Word();
    const std::uint16_t type = in.Word();
    const std::uint16_t count = in.Word();
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) {
        Invalid();
    }
    TIconFile file;
    file.cursor = type == 2;
    std::size_t totalPixels = 0;
    for (int i = 0; i < count; ++i) {
        in.Skip(4); // width, height, colour count, reserved: the image's own header rules
        const std::uint16_t planesOrHotspotX = in.Word();
        const std::uint16_t bitsOrHotspotY = in.Word();
        const std::uint32_t size = in.DWord();
        const std::uint32_t offset = in.DWord();
        if (offset > bytes.size() || size > bytes.size() - offset) {
            throw EReadError();
        }
        const std::string_view data = bytes.substr(offset, size);
        TIconImage image =
            data.starts_with(PngSignature) ? ReadPngImage(data) : ReadBitmapImage(data);
        if (file.cursor) {
            image.hotspotX = planesOrHotspotX;
            image.hotspotY = bitsOrHotspotY;
        }
        totalPixels += static_cast<std::size_t>(image.width) * image.height;
        if (totalPixels > MaxIconFilePixels) {
            Invalid();
        }
        file.images.push_back(std::move(image));
    }
    return file;
}

const TIconImage& BestIconImage(const TIconFile& file) {
    return *std::max_element(file.images.begin(), file.images.end(),
                             [](const auto& a, const auto& b) {
                                 const long areaA = long{a.width} * a.height;
                                 const long areaB = long{b.width} * b.height;
                                 return areaA != areaB ? areaA < areaB : a.bitCount < b.bitCount;
                             });
}

std::string WriteIconFile(const std::vector<TIconImage>& images) {
    std::string out;
    PutWord(out, 0);
    PutWord(out, 1);
    PutWord(out, static_cast<unsigned>(images.size()));
    std::vector<std::string> bodies;
    for (const TIconImage& image : images) {
        if (!image.png.empty() || !IsIconSide(image.width) || !IsIconSide(image.height) ||
            image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
            Invalid();
        }
        const int colorRow = DibRowSize(32, image.width);
        const int maskRow = DibRowSize(1, image.width);
        std::string body;
        PutDWord(body, 40);
        PutDWord(body, static_cast<std::uint32_t>(image.width));
        PutDWord(body, static_cast<std::uint32_t>(image.height * 2));
        PutWord(body, 1);
        PutWord(body, 32);
        PutDWord(body, 0);
        PutDWord(body, static_cast<std::uint32_t>((colorRow + maskRow) * image.height));
        for (int i = 0; i < 4; ++i) {
            PutDWord(body, 0);
        }
        for (int y = image.height - 1; y >= 0; --y) {
            for (int x = 0; x < image.width; ++x) {
                PutDWord(body, image.pixels[static_cast<std::size_t>(y) * image.width + x]);
            }
        }
        for (int y = image.height - 1; y >= 0; --y) {
            std::string row(static_cast<std::size_t>(maskRow), '\0');
            for (int x = 0; x < image.width; ++x) {
                if (AlphaOf(image.pixels[static_cast<std::size_t>(y) * image.width + x]) == 0) {
                    row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
                }
            }
            body += row;
        }
        bodies.push_back(std::move(body));
    }
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<char>(images[i].width & 0xFF)); // 256 is written as 0
        out.push_back(static_cast<char>(images[i].height & 0xFF));
        out.push_back(0); // colour count: none, 32 bits
        out.push_back(0);
        PutWord(out, 1);
        PutWord(out, 32);
        PutDWord(out, static_cast<std::uint32_t>(bodies[i].size()));
        PutDWord(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const std::string& body : bodies) {
        out += body;
    }
    return out;
}

} // namespace duebell::pictures
