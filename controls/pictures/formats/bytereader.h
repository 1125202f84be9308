// Little-endian reads from bytes held in memory. Reading past the end raises EReadError
// ("Stream read error") and never touches memory beyond the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace duebell::pictures {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(std::string_view bytes)
        : ByteReader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) {}

    std::uint8_t Byte();
    std::uint16_t Word();
    std::uint32_t DWord();
    // The next n bytes, which stay owned by the caller's data.
    std::string_view Bytes(std::size_t n);
    void Skip(std::size_t n) { Bytes(n); }

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }

private:
    const std::uint8_t* Take(std::size_t n);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Appends little-endian values to a byte string.
void PutWord(std::string& out, unsigned value);
void PutDWord(std::string& out, std::uint32_t value);

} // namespace duebell::pictures
