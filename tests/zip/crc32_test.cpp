#include "zip/crc32.h"
#include "zip/zipcrypt.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

TEST(Crc32, CheckValuesOfTheZipPolynomial) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
    // Worked once by hand from the table: the CRC of a single "a".
    EXPECT_EQ(Crc32("a"), 0xE8B7BE43u);
    EXPECT_EQ(Crc32Table()[1], 0x77073096u);
    EXPECT_EQ(Crc32Table()[255], 0x2D02EF8Du);
}

TEST(Crc32, RunningCrcOverPiecesEqualsTheWholeCrc) {
    const std::string text = "The quick brown fox jumps over the lazy dog";
    std::uint32_t crc = Crc32Start;
    crc = UpdateCRC(crc, reinterpret_cast<const std::uint8_t*>(text.data()), 10);
    crc = UpdateCRC(crc, reinterpret_cast<const std::uint8_t*>(text.data()) + 10, text.size() - 10);
    EXPECT_EQ(~crc, 0x414FA339u);
}

} // namespace
} // namespace duebell::zip
