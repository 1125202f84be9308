#include "controls/pictures/formats/colorreduction.h"

#include "controls/pictures/formats/bytereader.h"
#include "controls/pictures/formats/colormap.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace duebell::pictures {

namespace {

constexpr std::uint32_t Rgb(TArgb c) {
    return c & 0xFFFFFF;
}

struct ColorCount {
    std::uint32_t rgb;
    std::uint32_t count;
};

std::vector<ColorCount> Histogram(const TRgbImage& bitmap) {
    ColorMap counts;
    for (const TArgb pixel : bitmap.pixels) {
        ++counts[Rgb(pixel)];
    }
    std::vector<ColorCount> colors;
    colors.reserve(counts.Size());
    counts.ForEach([&](std::uint32_t rgb, std::uint32_t count) { colors.push_back({rgb, count}); });
    std::sort(colors.begin(), colors.end(), [](auto a, auto b) { return a.rgb < b.rgb; });
    return colors;
}

// Sums of colours weighted by their counts, giving their mean.
struct ColorSum {
    std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    void Add(ColorCount c) {
        red += std::uint64_t{c.count} * RedOf(c.rgb);
        green += std::uint64_t{c.count} * GreenOf(c.rgb);
        blue += std::uint64_t{c.count} * BlueOf(c.rgb);
        count += c.count;
    }
    TArgb Mean() const {
        const auto mean = [&](std::uint64_t sum) {
            return static_cast<int>((sum + count / 2) / count);
        };
        return MakeArgb(mean(red), mean(green), mean(blue));
    }
};

// Indices for every pixel through a map from the colour to its entry.
std::vector<std::uint8_t> MapPixels(const TRgbImage& bitmap, const ColorMap& entryOf) {
    std::vector<std::uint8_t> indices(bitmap.pixels.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<std::uint8_t>(entryOf.At(Rgb(bitmap.pixels[i])));
    }
    return indices;
}

TIndexedImage HistogramReduce(const TRgbImage& bitmap, int colorCount) {
    const std::vector<ColorCount> colors = Histogram(bitmap);
    // Bits dropped from red, green and blue; blue coarsens first, green last.
    std::array<int, 3> shift{0, 0, 0};
    const auto key = [&](std::uint32_t rgb) {
        return ((static_cast<std::uint32_t>(RedOf(rgb)) >> shift[0]) << 16) |
               ((static_cast<std::uint32_t>(GreenOf(rgb)) >> shift[1]) << 8) |
               (static_cast<std::uint32_t>(BlueOf(rgb)) >> shift[2]);
    };
    static constexpr int order[] = {2, 0, 1};
    ColorMap buckets;
    for (int turn = 0;; ++turn) {
        buckets = ColorMap();
        for (const ColorCount c : colors) {
            buckets[key(c.rgb)] = 0;
        }
        if (buckets.Size() <= static_cast<std::size_t>(colorCount)) {
            break;
        }
        ++shift[order[turn % 3]];
    }
    // Entries in the order of their keys, each the mean of its colours.
    std::vector<std::uint32_t> keys;
    buckets.ForEach([&](std::uint32_t k, std::uint32_t) { keys.push_back(k); });
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        buckets[keys[i]] = static_cast<std::uint32_t>(i);
    }
    std::vector<ColorSum> sums(keys.size());
    ColorMap entryOf;
    for (const ColorCount c : colors) {
        const std::uint32_t entry = buckets.At(key(c.rgb));
        sums[entry].Add(c);
        entryOf[c.rgb] = entry;
    }
    TIndexedImage result{bitmap.width, bitmap.height, {}, MapPixels(bitmap, entryOf)};
    for (const ColorSum& sum : sums) {
        result.palette.push_back(sum.Mean());
    }
    return result;
}

// A box of the median cut: a run of the colour list.
struct Box {
    std::size_t begin, end;
    int widestChannel = 0; // 0 red, 1 green, 2 blue
    int range = 0;         // of that channel
    std::uint64_t pixels = 0;
};

int Channel(std::uint32_t rgb, int channel) {
    return static_cast<int>((rgb >> (16 - 8 * channel)) & 0xFF);
}

void Measure(Box& box, std::span<const ColorCount> colors) {
    std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
    box.pixels = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int ch = 0; ch < 3; ++ch) {
            low[ch] = std::min(low[ch], Channel(colors[i].rgb, ch));
            high[ch] = std::max(high[ch], Channel(colors[i].rgb, ch));
        }
        box.pixels += colors[i].count;
    }
    box.range = -1;
    for (int ch = 0; ch < 3; ++ch) {
        if (high[ch] - low[ch] > box.range) {
            box.range = high[ch] - low[ch];
            box.widestChannel = ch;
        }
    }
}

TIndexedImage FixedPaletteReduce(const TRgbImage& bitmap, TPaletteMethod method) {
    TIndexedImage result{bitmap.width, bitmap.height, {}, {}};
    result.indices.resize(bitmap.pixels.size());
    if (method == TPaletteMethod::Grey64 || method == TPaletteMethod::Grey256) {
        const int step = method == TPaletteMethod::Grey64 ? 4 : 1;
        for (int level = 0; level < 256; level += step) {
            result.palette.push_back(MakeArgb(level, level, level));
        }
        const int last = static_cast<int>(result.palette.size()) - 1;
        for (std::size_t i = 0; i < result.indices.size(); ++i) {
            const TArgb c = bitmap.pixels[i];
            const int luminance =
                (RedOf(c) * 299 + GreenOf(c) * 587 + BlueOf(c) * 114 + 500) / 1000;
            result.indices[i] =
                static_cast<std::uint8_t>(std::min(last, (luminance + step / 2) / step));
        }
        return result;
    }
    // Levels per channel: the grid's 7 x 8 x 4, the cube's 6 x 6 x 6, each spread evenly.
    const std::array<int, 3> levels = method == TPaletteMethod::ColorGrid
                                          ? std::array<int, 3>{7, 8, 4}
                                          : std::array<int, 3>{6, 6, 6};
    const auto level = [&](int ch, int i) {
        return (i * 255 * 2 + (levels[ch] - 1)) / (2 * (levels[ch] - 1));
    };
    std::array<std::array<std::uint8_t, 256>, 3> nearest{};
    for (int ch = 0; ch < 3; ++ch) {
        for (int v = 0; v < 256; ++v) {
            int best = 0;
            for (int i = 1; i < levels[ch]; ++i) {
                if (std::abs(level(ch, i) - v) < std::abs(level(ch, best) - v)) {
                    best = i;
                }
            }
            nearest[ch][v] = static_cast<std::uint8_t>(best);
        }
    }
    for (int r = 0; r < levels[0]; ++r) {
        for (int g = 0; g < levels[1]; ++g) {
            for (int b = 0; b < levels[2]; ++b) {
                result.palette.push_back(MakeArgb(level(0, r), level(1, g), level(2, b)));
            }
        }
    }
    for (std::size_t i = 0; i < result.indices.size(); ++i) {
        const TArgb c = bitmap.pixels[i];
        result.indices[i] = static_cast<std::uint8_t>(
            (nearest[0][RedOf(c)] * levels[1] + nearest[1][GreenOf(c)]) * levels[2] +
            nearest[2][BlueOf(c)]);
    }
    return result;
}

void CheckBitmap(const TRgbImage& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
}

// A palette needs at least one entry: with none, coarsening the colours would never end.
void CheckColorCount(int colorCount) {
    if (colorCount <= 0) {
        throw EInvalidGraphicOperation("Wrong number of colors; must be a power of 2");
    }
}

// The file and info headers of a bottom-up bitmap.
std::string DibHeaders(int width, int height, int bits, std::size_t paletteCount) {
    const std::uint32_t imageSize = static_cast<std::uint32_t>(DibRowSize(bits, width)) * height;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(paletteCount) * 4;
    std::string out = "BM";
    PutDWord(out, offset + imageSize);
    PutDWord(out, 0);
    PutDWord(out, offset);
    PutDWord(out, 40);
    PutDWord(out, static_cast<std::uint32_t>(width));
    PutDWord(out, static_cast<std::uint32_t>(height));
    PutWord(out, 1);
    PutWord(out, static_cast<unsigned>(bits));
    PutDWord(out, 0); // uncompressed
    PutDWord(out, imageSize);
    PutDWord(out, 2835); // 72 dots per inch, in dots per metre
    PutDWord(out, 2835);
    PutDWord(out, static_cast<std::uint32_t>(paletteCount));
    PutDWord(out, 0);
    return out;
}

std::string IndexedDib(const TIndexedImage& image, int bits) {
    std::string out = DibHeaders(image.width, image.height, bits, image.palette.size());
    for (const TArgb entry : image.palette) {
        PutDWord(out, entry & 0xFFFFFF); // blue, green, red, reserved
    }
    const int rowSize = DibRowSize(bits, image.width);
    const int perByte = 8 / bits;
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(rowSize), '\0');
        const std::uint8_t* src = image.indices.data() + static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1); // leftmost pixel in the high bits
            row[x / perByte] =
                static_cast<char>(static_cast<std::uint8_t>(row[x / perByte]) | (src[x] << shift));
        }
        out += row;
    }
    return out;
}

std::string TrueColorDib(const TRgbImage& bitmap) {
    std::string out = DibHeaders(bitmap.width, bitmap.height, 24, 0);
    const int rowSize = DibRowSize(24, bitmap.width);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(rowSize), '\0');
        const TArgb* src = bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width;
        for (int x = 0; x < bitmap.width; ++x) {
            row[3 * x] = static_cast<char>(BlueOf(src[x]));
            row[3 * x + 1] = static_cast<char>(GreenOf(src[x]));
            row[3 * x + 2] = static_cast<char>(RedOf(src[x]));
        }
        out += row;
    }
    return out;
}

} // namespace

int PixelFormatColorCount(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit:
        return 2;
    case TPixelFormat::pf4bit:
        return 16;
    case TPixelFormat::pf8bit:
        return 256;
    case TPixelFormat::pf24bit:
        break;
    }
    return 0;
}

int DibRowSize(int bitsPerPixel, int width) {
    return (bitsPerPixel * width + 31) / 32 * 4;
}

TPixelFormat PixelFormatForColors(int colorCount) {
    if (colorCount <= 2) {
        return TPixelFormat::pf1bit;
    }
    if (colorCount <= 16) {
        return TPixelFormat::pf4bit;
    }
    return colorCount <= 256 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit;
}

TIndexedImage MedianCutQuantize(const TRgbImage& bitmap, int colorCount) {
    CheckColorCount(colorCount);
    std::vector<ColorCount> colors = Histogram(bitmap);
    std::vector<Box> boxes{{0, colors.size()}};
    Measure(boxes[0], colors);
    while (boxes.size() < static_cast<std::size_t>(colorCount)) {
        // The widest box that still holds two colours; ties go to the fuller one.
        Box* widest = nullptr;
        for (Box& box : boxes) {
            if (box.end - box.begin >= 2 &&
                (widest == nullptr || box.range > widest->range ||
                 (box.range == widest->range && box.pixels > widest->pixels))) {
                widest = &box;
            }
        }
        if (widest == nullptr) {
            break;
        }
        const int ch = widest->widestChannel;
        const auto first = colors.begin() + static_cast<std::ptrdiff_t>(widest->begin);
        const auto last = colors.begin() + static_cast<std::ptrdiff_t>(widest->end);
        std::sort(first, last,
                  [&](auto a, auto b) { return Channel(a.rgb, ch) < Channel(b.rgb, ch); });
        // The median by pixels, leaving at least one colour on each side.
        std::uint64_t seen = 0;
        std::size_t split = widest->begin + 1;
        for (std::size_t i = widest->begin; i + 1 < widest->end; ++i) {
            seen += colors[i].count;
            split = i + 1;
            if (seen * 2 >= widest->pixels) {
                break;
            }
        }
        Box upper{split, widest->end};
        widest->end = split;
        Measure(*widest, colors);
        Measure(upper, colors);
        boxes.push_back(upper);
    }
    TIndexedImage result{bitmap.width, bitmap.height, {}, {}};
    ColorMap entryOf;
    for (std::size_t entry = 0; entry < boxes.size(); ++entry) {
        ColorSum sum;
        for (std::size_t i = boxes[entry].begin; i < boxes[entry].end; ++i) {
            sum.Add(colors[i]);
            entryOf[colors[i].rgb] = static_cast<std::uint32_t>(entry);
        }
        result.palette.push_back(colors.empty() ? MakeArgb(0, 0, 0) : sum.Mean());
    }
    result.indices = MapPixels(bitmap, entryOf);
    return result;
}

TIndexedImage ReduceColors(const TRgbImage& bitmap, int colorCount, TPaletteMethod method) {
    CheckBitmap(bitmap);
    CheckColorCount(colorCount);
    switch (method) {
    case TPaletteMethod::MedianCut:
        return MedianCutQuantize(bitmap, colorCount);
    case TPaletteMethod::ColorGrid:
    case TPaletteMethod::ColorCube:
    case TPaletteMethod::Grey64:
    case TPaletteMethod::Grey256:
        if (colorCount >= 256) {
            return FixedPaletteReduce(bitmap, method);
        }
        break;
    case TPaletteMethod::Histogram:
        break;
    }
    return HistogramReduce(bitmap, colorCount);
}

std::string BitmapToDib(const TRgbImage& bitmap, TPixelFormat format, TPaletteMethod method) {
    CheckBitmap(bitmap);
    if (format == TPixelFormat::pf24bit) {
        return TrueColorDib(bitmap);
    }
    return IndexedDib(ReduceColors(bitmap, PixelFormatColorCount(format), method),
                      static_cast<int>(format));
}

std::string BitmapToDibForColors(const TRgbImage& bitmap, int colorCount) {
    return BitmapToDib(bitmap, PixelFormatForColors(colorCount), TPaletteMethod::Histogram);
}

} // namespace duebell::pictures
