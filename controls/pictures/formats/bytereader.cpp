#include "controls/pictures/formats/bytereader.h"

#include "controls/pictures/formats/pictureerrors.h"

namespace duebell::pictures {

const std::uint8_t* ByteReader::Take(std::size_t n) {
    if (n > size_ - pos_) {
        throw EReadError();
    }
    const std::uint8_t* at = data_ + pos_;
    pos_ += n;
    return at;
}

std::uint8_t ByteReader::Byte() {
    return *Take(1);
}

std::uint16_t ByteReader::Word() {
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ByteReader::DWord() {
    const std::uint8_t* p = Take(4);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::string_view ByteReader::Bytes(std::size_t n) {
    return {reinterpret_cast<const char*>(Take(n)), n};
}

void PutWord(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutDWord(std::string& out, std::uint32_t value) {
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

} // namespace duebell::pictures
