#include "zip/zipcrypt.h"

#include "zip/crc32.h"

#include <random>

namespace duebell::zip {

void TZipCrypt::InitKeys(std::string_view password) {
    keys_[0] = 0x12345678;
    keys_[1] = 0x23456789;
    keys_[2] = 0x34567890;
    for (const char c : password) {
        UpdateKeys(static_cast<std::uint8_t>(c));
    }
}

void TZipCrypt::UpdateKeys(std::uint8_t plain) {
    keys_[0] = UpdateCRCByte(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = UpdateCRCByte(keys_[2], static_cast<std::uint8_t>(keys_[1] >> 24));
}

std::uint8_t TZipCrypt::DecryptByte() const {
    // Unsigned 32-bit: the product of two 16-bit values overflows an int.
    const std::uint32_t temp = (keys_[2] | 2) & 0xFFFFu;
    return static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
}

void TZipCrypt::DecryptBuffer(std::uint8_t* buffer, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t plain = buffer[i] ^ DecryptByte();
        UpdateKeys(plain);
        buffer[i] = plain;
    }
}

void TZipCrypt::EncryptBuffer(std::uint8_t* buffer, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t plain = buffer[i];
        const std::uint8_t key = DecryptByte();
        UpdateKeys(plain);
        buffer[i] = plain ^ key;
    }
}

std::uint8_t TZipCrypt::CheckHeader(std::string_view password, TEncryptionHeader header) {
    InitKeys(password);
    DecryptBuffer(header.data(), header.size());
    return header.back();
}

TEncryptionHeader TZipCrypt::MakeHeader(std::string_view password, std::uint32_t crc,
                                        const std::array<std::uint8_t, 10>& randomBytes) {
    TEncryptionHeader header{};
    for (std::size_t i = 0; i < randomBytes.size(); ++i) {
        header[i] = randomBytes[i];
    }
    header[10] = static_cast<std::uint8_t>(crc >> 16);
    header[11] = static_cast<std::uint8_t>(crc >> 24);
    InitKeys(password);
    EncryptBuffer(header.data(), header.size());
    return header;
}

void TZipCrypt::WriteHeader(std::string_view password, std::uint32_t crc, TStream& stream) {
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> below32767(0, 32766);
    std::array<std::uint8_t, 10> bytes{};
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(below32767(random) / 128);
    }
    const TEncryptionHeader header = MakeHeader(password, crc, bytes);
    stream.WriteBuffer(header.data(), std::ssize(header));
}

} // namespace duebell::zip
