#include "controls/pictures/formats/lzwgif.h"

#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>
#include <array>
#include <vector>

namespace duebell::pictures {

namespace {

constexpr int MaxCodeBits = 12;
constexpr int TableSize = 1 << MaxCodeBits;

// Codes of growing width, least significant bit first.
class CodeReader {
public:
    explicit CodeReader(const std::string& bytes)
        : data_(reinterpret_cast<const std::uint8_t*>(bytes.data())), size_(bytes.size()) {}

    // False when fewer than `width` bits are left.
    bool Read(int width, int& code) {
        while (count_ < width) {
            if (pos_ == size_) {
                return false;
            }
            bits_ |= static_cast<std::uint32_t>(data_[pos_++]) << count_;
            count_ += 8;
        }
        code = static_cast<int>(bits_ & ((1u << width) - 1));
        bits_ >>= width;
        count_ -= width;
        return true;
    }
    std::size_t Consumed() const { return pos_; }
    std::size_t Size() const { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint32_t bits_ = 0;
    int count_ = 0;
};

// Reports the consumed share of the data whenever its whole percentage changes.
class ProgressReporter {
public:
    ProgressReporter(const TProgressEvent& event, const CodeReader& reader)
        : event_(event), reader_(reader) {
        if (event_) {
            event_(TProgressStage::Starting, 0);
        }
    }
    ~ProgressReporter() {
        if (event_) {
            event_(TProgressStage::Ending, 100);
        }
    }
    ProgressReporter(const ProgressReporter&) = delete;
    ProgressReporter& operator=(const ProgressReporter&) = delete;

    void Step() {
        if (!event_ || reader_.Size() == 0) {
            return;
        }
        const int percent = static_cast<int>(reader_.Consumed() * 100 / reader_.Size());
        if (percent != last_) {
            last_ = percent;
            event_(TProgressStage::Running, percent);
        }
    }

private:
    const TProgressEvent& event_;
    const CodeReader& reader_;
    int last_ = -1;
};

} // namespace

void CheckGifCodeSize(int codeSize) {
    if (codeSize < 2 || codeSize > 9) {
        throw EInvalidGraphicOperation("GIF code size not in range 2 to 9");
    }
}

bool LzwDecodeGif(const TGifCodedData& coded, std::span<std::uint8_t> pixels, bool tolerateDamage,
                  const TProgressEvent& progress) {
    bool corrupted = false;
    // Damage either raises or, when tolerated, marks the result and stops decoding.
    const auto damaged = [&](auto error) {
        if (!tolerateDamage) {
            throw error;
        }
        corrupted = true;
    };

    if (!tolerateDamage) {
        CheckGifCodeSize(coded.codeSize);
    }
    const int codeSize = std::clamp(coded.codeSize, 2, 9);
    corrupted = codeSize != coded.codeSize;
    const int clearCode = 1 << codeSize;
    const int endCode = clearCode + 1;
    const int firstFree = clearCode + 2;

    // Entry c is the string of entry prefix[c] followed by suffix[c]; length[c] counts it and
    // first[c] is its first pixel. Literals are their own one-pixel strings; every other
    // entry is written before a code may name it, so the tables start unset.
    std::array<std::uint16_t, TableSize> prefix;
    std::array<std::uint8_t, TableSize> suffix;
    std::array<std::uint8_t, TableSize> first;
    std::array<std::uint16_t, TableSize> length;
    for (int c = 0; c < clearCode; ++c) {
        suffix[c] = first[c] = static_cast<std::uint8_t>(std::min(c, 255));
        length[c] = 1;
    }

    CodeReader reader(coded.bytes);
    ProgressReporter reporter(progress, reader);
    const std::size_t total = pixels.size();
    std::size_t pos = 0;
    int width = codeSize + 1;
    int next = firstFree;
    int previous = -1;

    while (pos < total) {
        int code = 0;
        if (!reader.Read(width, code)) {
            damaged(EReadError());
            break;
        }
        reporter.Step();
        if (code == clearCode) {
            width = codeSize + 1;
            next = firstFree;
            previous = -1;
            continue;
        }
        if (code == endCode) {
            damaged(EInvalidGraphicOperation("GIF encoded data is corrupt"));
            break;
        }
        // A code beyond the next free one, or anything but a literal right after a clear.
        if (code > next || (previous < 0 && code >= clearCode)) {
            damaged(EInvalidGraphicOperation("GIF encoded data is corrupt"));
            break;
        }
        if (previous >= 0 && next < TableSize) {
            // The new entry is the previous string plus the first pixel of this code's string;
            // a code equal to the next free code is that very entry, whose first pixel is the
            // previous string's.
            prefix[next] = static_cast<std::uint16_t>(previous);
            suffix[next] = first[code == next ? previous : code];
            first[next] = first[previous];
            length[next] = static_cast<std::uint16_t>(length[previous] + 1);
            ++next;
            // The table stops growing at 4096 entries until the next clear code.
            if (next == (1 << width) && width < MaxCodeBits) {
                ++width;
            }
        }
        // Writes the string backwards from its last pixel; only the part inside the frame.
        const std::size_t len = length[code];
        std::size_t at = pos + len;
        for (int c = code; at > pos; c = prefix[c]) {
            --at;
            if (at < total) {
                pixels[at] = suffix[c];
            }
            if (length[c] == 1) {
                break;
            }
        }
        pos = std::min(total, pos + len);
        previous = code;
    }
    return corrupted;
}

namespace {

// Codes of growing width, least significant bit first.
class CodeWriter {
public:
    void Write(int code, int width) {
        bits_ |= static_cast<std::uint64_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            out_.push_back(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::string Finish() {
        if (count_ > 0) {
            out_.push_back(static_cast<char>(bits_ & 0xFF));
        }
        return std::move(out_);
    }

private:
    std::string out_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// The coder's string table: (prefix code, pixel) -> code, open addressing over twice the
// table's size.
class StringTable {
public:
    StringTable() { Clear(); }
    void Clear() { keys_.fill(-1); }
    // The slot of the key: holding it, or empty.
    int Slot(int key) const {
        unsigned slot = (static_cast<unsigned>(key) * 2654435761u) >> (32 - SlotBits);
        while (keys_[slot] != -1 && keys_[slot] != key) {
            slot = (slot + 1) & (Slots - 1);
        }
        return static_cast<int>(slot);
    }
    bool Holds(int slot) const { return keys_[slot] != -1; }
    int Code(int slot) const { return codes_[slot]; }
    void Put(int slot, int key, int code) {
        keys_[slot] = key;
        codes_[slot] = static_cast<std::int16_t>(code);
    }

private:
    static constexpr int SlotBits = 13;
    static constexpr int Slots = 1 << SlotBits;
    std::array<std::int32_t, Slots> keys_;
    std::array<std::int16_t, Slots> codes_;
};

} // namespace

TGifCodedData LzwEncodeGif(std::span<const std::uint8_t> pixels, int codeSize) {
    if (codeSize < 2 || codeSize > 8) {
        throw EInvalidGraphicOperation("GIF image encoding error");
    }
    const int clearCode = 1 << codeSize;
    const int endCode = clearCode + 1;
    const int firstFree = clearCode + 2;
    for (const std::uint8_t pixel : pixels) {
        if (pixel >= clearCode) {
            throw EInvalidGraphicOperation("GIF image encoding error");
        }
    }

    CodeWriter writer;
    auto table = std::make_unique<StringTable>();
    int width = codeSize + 1;
    int next = firstFree;
    writer.Write(clearCode, width);
    if (!pixels.empty()) {
        int current = pixels[0];
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            const int pixel = pixels[i];
            const int key = (current << 8) | pixel;
            const int slot = table->Slot(key);
            if (table->Holds(slot)) {
                current = table->Code(slot);
                continue;
            }
            writer.Write(current, width);
            current = pixel;
            if (next < TableSize) {
                table->Put(slot, key, next++);
                // The reader widens one code later than the coder fills the table.
                if (next > (1 << width) && width < MaxCodeBits) {
                    ++width;
                }
            }
            if (next == TableSize) {
                writer.Write(clearCode, width);
                table->Clear();
                width = codeSize + 1;
                next = firstFree;
            }
        }
        writer.Write(current, width);
        // Reading that last code adds one more entry, which may widen the end code.
        if (next == (1 << width) && width < MaxCodeBits) {
            ++width;
        }
    }
    writer.Write(endCode, width);
    return {codeSize, writer.Finish()};
}

} // namespace duebell::pictures
