// The traditional PKWARE encryption: a stream cipher with three 32-bit keys set up from the
// password, and a 12-byte encryption header in front of each entry's data. The password's
// bytes are used as they are.
#pragma once

#include "zip/stream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace duebell::zip {

inline constexpr int EncryptionHeaderSize = 12;
using TEncryptionHeader = std::array<std::uint8_t, EncryptionHeaderSize>;

class TZipCrypt {
public:
    void InitKeys(std::string_view password);
    void UpdateKeys(std::uint8_t plain);
    std::uint8_t DecryptByte() const;
    // In place; the plain byte feeds the keys.
    void DecryptBuffer(std::uint8_t* buffer, std::size_t length);
    void EncryptBuffer(std::uint8_t* buffer, std::size_t length);

    // Sets up the keys from the password and decrypts the header; the result is its last
    // plain byte, which a right password makes equal to the entry's check byte. The keys
    // are left ready for the entry's data.
    std::uint8_t CheckHeader(std::string_view password, TEncryptionHeader header);
    // The encrypted header for an entry with this CRC: ten random bytes, then bits 16-23
    // and 24-31 of the CRC. The keys are left ready for the entry's data.
    TEncryptionHeader MakeHeader(std::string_view password, std::uint32_t crc,
                                 const std::array<std::uint8_t, 10>& randomBytes);
    // MakeHeader with fresh random bytes, written to the stream.
    void WriteHeader(std::string_view password, std::uint32_t crc, TStream& stream);

private:
    std::uint32_t keys_[3] = {0, 0, 0};
};

} // namespace duebell::zip
