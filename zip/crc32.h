// The CRC-32 that every archive entry carries (the zip polynomial, reflected, 0xEDB88320).
// A running CRC starts at 0xFFFFFFFF and is inverted at the end.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace duebell::zip {

inline constexpr std::uint32_t Crc32Start = 0xFFFFFFFF;

const std::array<std::uint32_t, 256>& Crc32Table();
// One table step per byte on a running CRC.
std::uint32_t UpdateCRC(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
inline std::uint32_t UpdateCRCByte(std::uint32_t crc, std::uint8_t byte) {
    return Crc32Table()[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}
// The finished CRC of a whole block.
std::uint32_t Crc32(std::string_view data);

} // namespace duebell::zip
