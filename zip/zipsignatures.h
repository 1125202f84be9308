// The three record signatures every read and write compares against. They can be replaced
// for archives of a private flavour; 0 restores the standard value of that one.
#pragma once

#include <array>
#include <cstdint>

namespace duebell::zip {

inline constexpr std::uint32_t DefaultCentralSignature = 0x02014B50;
inline constexpr std::uint32_t DefaultLocalSignature = 0x04034B50;
inline constexpr std::uint32_t DefaultEndSignature = 0x06054B50;

void SetZipSignatures(std::uint32_t central, std::uint32_t local, std::uint32_t end);
std::uint32_t CentralSignature();
std::uint32_t LocalSignature();
std::uint32_t EndSignature();
// The local signature's four bytes, lowest first, for byte-wise scans.
std::array<std::uint8_t, 4> LocalSignatureBytes();
std::uint8_t EndSignatureLowByte();

} // namespace duebell::zip
