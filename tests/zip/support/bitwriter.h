// Packs values into bytes least significant bit first, as zip's decoders read them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace duebell::zip::ziptest {

class BitWriter {
public:
    // The low count bits of value, lowest first (zeros beyond its 32 bits).
    void Put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            PutBit(i < 32 ? (value >> i) & 1 : 0);
        }
    }
    // A Huffman code given most significant bit first (as deflate sends them).
    void PutMsbFirst(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            PutBit((code >> i) & 1);
        }
    }
    void PutBit(unsigned bit) {
        if (used_ == 0) {
            bytes_ += '\0';
        }
        if (bit != 0) {
            bytes_.back() =
                static_cast<char>(static_cast<unsigned char>(bytes_.back()) | (1u << used_));
        }
        used_ = (used_ + 1) & 7;
    }
    void PutByte(std::uint8_t byte) { Put(byte, 8); }
    // Several fields in order, each {value, bit count}, lowest bit first.
    void PutFields(std::initializer_list<std::pair<std::uint32_t, int>> fields) {
        for (const auto& [value, count] : fields) {
            Put(value, count);
        }
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    int used_ = 0;
};

} // namespace duebell::zip::ziptest
