#include "zip/crc32.h"

namespace duebell::zip {

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> Table = MakeTable();

} // namespace

const std::array<std::uint32_t, 256>& Crc32Table() {
    return Table;
}

std::uint32_t UpdateCRC(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        crc = Table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc;
}

std::uint32_t Crc32(std::string_view data) {
    return ~UpdateCRC(Crc32Start, reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
}

} // namespace duebell::zip
