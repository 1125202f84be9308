// How the entry decoders take compressed bytes and hand out decoded ones. Input arrives in
// pieces from the extraction (already decrypted); codes are read least significant bit
// first. Output goes through a window that keeps the last 32 KB for back-references and
// hands out full pieces.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace duebell::zip {

class TDecoderInput {
public:
    virtual ~TDecoderInput() = default;
    // The next piece of compressed data, at most capacity bytes; 0 when they are used up.
    virtual std::size_t Fetch(std::uint8_t* buffer, std::size_t capacity) = 0;
};

class TDecoderOutput {
public:
    virtual ~TDecoderOutput() = default;
    // May raise (an entry growing past its declared size, a failed write).
    virtual void Deliver(const std::uint8_t* data, std::size_t count) = 0;
};

enum class TDecodeResult { Ok, DataError, OutOfMemory };

class TBitReader {
public:
    static constexpr std::size_t PieceSize = 32768;
    explicit TBitReader(TDecoderInput& input) : input_(input), buffer_(PieceSize + 8) {}

    // Makes at least n (<= 56) bits available.
    void Need(int n) {
        if (count_ < n) {
            Refill();
        }
    }
    std::uint32_t Peek(int n) const {
        return static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << n) - 1));
    }
    void Drop(int n) {
        bits_ >>= n;
        count_ -= n;
    }
    std::uint32_t Bits(int n) {
        Need(n);
        const std::uint32_t v = Peek(n);
        Drop(n);
        return v;
    }
    // Drops the bits up to the next byte boundary.
    void AlignToByte() { Drop(count_ & 7); }
    // After the data end the reader supplies zero bits; true once any of them was used,
    // which means the data were cut or corrupt.
    bool Overrun() const { return padding_ * 8 > count_; }
    // Fills the buffer to at least 57 bits when the data allow.
    void Refill() {
        if (end_ - pos_ >= 8) {
            std::uint64_t word;
            std::memcpy(&word, buffer_.data() + pos_, 8);
            bits_ |= word << count_;
            pos_ += static_cast<std::size_t>((63 - count_) >> 3);
            count_ |= 56;
            return;
        }
        RefillSlow();
    }

    // Copies whole bytes (after AlignToByte): first those held as bits, then from the
    // input. Returns fewer than count when the data end.
    std::size_t TakeBytes(std::uint8_t* out, std::size_t count) {
        std::size_t done = 0;
        while (done < count && count_ >= 8) {
            out[done++] = static_cast<std::uint8_t>(bits_);
            Drop(8);
        }
        if (done == count) {
            return done;
        }
        bits_ = 0; // bits read ahead are taken from the buffer below
        count_ = 0;
        while (done < count) {
            if (pos_ == end_) {
                pos_ = 0;
                end_ = padding_ > 0 ? 0 : input_.Fetch(buffer_.data(), PieceSize);
                if (end_ == 0) {
                    break;
                }
            }
            const std::size_t n = std::min(count - done, end_ - pos_);
            std::memcpy(out + done, buffer_.data() + pos_, n);
            pos_ += n;
            done += n;
        }
        return done;
    }

    // The fast inflate loop works on copies of the state and hands them back.
    struct State {
        const std::uint8_t* in;
        const std::uint8_t* end;
        std::uint64_t bits;
        int count;
    };
    State Save() const { return {buffer_.data() + pos_, buffer_.data() + end_, bits_, count_}; }
    void Restore(const State& s) {
        pos_ = static_cast<std::size_t>(s.in - buffer_.data());
        bits_ = s.bits;
        count_ = s.count;
    }

private:
    void RefillSlow() {
        while (count_ <= 56) {
            if (pos_ == end_) {
                pos_ = 0;
                end_ = padding_ > 0 ? 0 : input_.Fetch(buffer_.data(), PieceSize);
                if (end_ == 0) {
                    // Zero bits from here on, counted so that their use shows.
                    ++padding_;
                    count_ += 8;
                    continue;
                }
                if (end_ - pos_ >= 8) {
                    Refill();
                    return;
                }
            }
            bits_ |= std::uint64_t{buffer_[pos_++]} << count_;
            count_ += 8;
        }
    }

    TDecoderInput& input_;
    std::vector<std::uint8_t> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::int64_t padding_ = 0;
};

// The decoded bytes: the last 32 KB stay addressable for back-references; before the start
// of the output they read as zeros. Full pieces go to the output as the buffer fills.
class TOutputWindow {
public:
    static constexpr std::size_t History = 32768;
    // Room for the longest copy any decoder makes, plus slack for word-wise copies.
    static constexpr std::size_t MaxCopy = 512;
    static constexpr std::size_t Capacity = 2 * History + MaxCopy + 16;

    explicit TOutputWindow(TDecoderOutput& output)
        : output_(output), buffer_(Capacity, 0), pos_(History), start_(History) {}

    std::uint64_t Total() const { return total_ + (pos_ - start_); }

    // Guarantees room for count (<= MaxCopy) more bytes at Cursor().
    void Reserve(std::size_t count) {
        if (pos_ + count > 2 * History + MaxCopy) {
            Slide();
        }
    }
    void Put(std::uint8_t byte) {
        Reserve(1);
        buffer_[pos_++] = byte;
    }
    // Copies length (<= MaxCopy) bytes from distance back (<= History).
    void Copy(std::size_t distance, std::size_t length) {
        Reserve(length);
        std::uint8_t* out = buffer_.data() + pos_;
        const std::uint8_t* from = out - distance;
        if (distance >= 8) {
            for (std::size_t i = 0; i < length; i += 8) {
                std::memcpy(out + i, from + i, 8);
            }
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                out[i] = from[i];
            }
        }
        pos_ += length;
    }
    void PutBlock(const std::uint8_t* data, std::size_t count) {
        while (count > 0) {
            Reserve(1);
            const std::size_t room = 2 * History + MaxCopy - pos_;
            const std::size_t n = count < room ? count : room;
            std::memcpy(buffer_.data() + pos_, data, n);
            pos_ += n;
            data += n;
            count -= n;
        }
    }
    // Hands out everything not handed out yet.
    void Flush() {
        if (pos_ > start_) {
            const std::size_t count = pos_ - start_;
            total_ += count;
            start_ = pos_;
            output_.Deliver(buffer_.data() + start_ - count, count);
        }
    }

    // Direct access for the inflate loop.
    std::uint8_t* Data() { return buffer_.data(); }
    std::size_t& Cursor() { return pos_; }
    std::size_t Limit() const { return 2 * History + MaxCopy; }
    void Slide() {
        Flush();
        std::memmove(buffer_.data(), buffer_.data() + pos_ - History, History);
        pos_ = History;
        start_ = History;
    }

private:
    TDecoderOutput& output_;
    std::vector<std::uint8_t> buffer_;
    std::size_t pos_;
    std::size_t start_;
    std::uint64_t total_ = 0;
};

} // namespace duebell::zip
