#include "print/binarystream.h"

#include "objectlist/exceptions.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace duebell {

void TPqStream::Seek(std::int64_t position) {
    position_ = position < 0 ? 0 : position;
}

void TPqStream::WriteBytes(const void* data, std::size_t count) {
    auto end = static_cast<std::size_t>(position_) + count;
    if (bytes_.size() < end)
        bytes_.resize(end);
    if (count > 0)
        std::memcpy(bytes_.data() + position_, data, count);
    position_ = static_cast<std::int64_t>(end);
}

void TPqStream::WriteInt32(std::int32_t v) {
    WriteUInt32(static_cast<std::uint32_t>(v));
}

void TPqStream::WriteUInt32(std::uint32_t v) {
    std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                         std::uint8_t(v >> 24)};
    WriteBytes(b, 4);
}

void TPqStream::WriteDouble(double v) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    std::uint8_t b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = std::uint8_t(bits >> (8 * i));
    WriteBytes(b, 8);
}

void TPqStream::WriteExtended(double v) {
    std::uint8_t b[10];
    EncodeExtended(v, b);
    WriteBytes(b, 10);
}

void TPqStream::WriteString(const std::string& text) {
    WriteInt32(static_cast<std::int32_t>(text.size()));
    WriteBytes(text.data(), text.size());
}

void TPqStream::ReadBytes(void* data, std::size_t count) {
    if (static_cast<std::uint64_t>(Remaining()) < count)
        throw Exception("Stream read error");
    if (count > 0)
        std::memcpy(data, bytes_.data() + position_, count);
    position_ += static_cast<std::int64_t>(count);
}

std::uint8_t TPqStream::ReadByte() {
    std::uint8_t v = 0;
    ReadBytes(&v, 1);
    return v;
}

std::int32_t TPqStream::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

std::uint32_t TPqStream::ReadUInt32() {
    std::uint8_t b[4];
    ReadBytes(b, 4);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
}

double TPqStream::ReadDouble() {
    std::uint8_t b[8];
    ReadBytes(b, 8);
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(b[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

double TPqStream::ReadExtended() {
    std::uint8_t b[10];
    ReadBytes(b, 10);
    const double value = DecodeExtended(b);
    // Every extended value of a document is a length, an angle or a version.
    if (!(std::fabs(value) <= MaxStoredMagnitude))
        throw Exception("Stream read error");
    return value;
}

std::string TPqStream::ReadString() {
    std::int32_t length = ReadInt32();
    if (length <= 0)
        return {};
    if (Remaining() < length)
        throw Exception("Stream read error");
    std::string text(static_cast<std::size_t>(length), '\0');
    ReadBytes(text.data(), text.size());
    return text;
}

void EncodeExtended(double value, std::uint8_t out[10]) {
    std::uint16_t signExponent = std::signbit(value) ? 0x8000 : 0;
    std::uint64_t mantissa = 0;
    if (std::isnan(value)) {
        signExponent |= 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        signExponent |= 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int exponent = 0;
        double fraction = std::frexp(std::fabs(value), &exponent); // [0.5, 1)
        // 53 significant bits fit the 64-bit mantissa exactly, integer bit explicit.
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        signExponent |= static_cast<std::uint16_t>(exponent - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i)
        out[i] = std::uint8_t(mantissa >> (8 * i));
    out[8] = std::uint8_t(signExponent);
    out[9] = std::uint8_t(signExponent >> 8);
}

double DecodeExtended(const std::uint8_t in[10]) {
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= std::uint64_t(in[i]) << (8 * i);
    int signExponent = in[8] | in[9] << 8;
    bool negative = (signExponent & 0x8000) != 0;
    int exponent = signExponent & 0x7FFF;
    double value;
    if (exponent == 0x7FFF) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else {
        // Rounds the 64-bit mantissa to the 53 bits of a double.
        value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    }
    return negative ? -value : value;
}

} // namespace duebell
