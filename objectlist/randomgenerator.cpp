#include "objectlist/randomgenerator.h"

#include <chrono>

namespace duebell {

namespace {

std::uint32_t tickCount() {
    using namespace std::chrono;
    auto sinceStart = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(sinceStart.count());
}

// 32 rounds of a shift register fed back from bits 0, 1, 2, 4, 6 and 31.
constexpr std::uint32_t scrambleBitByBit(std::uint32_t x) {
    for (int round = 0; round < 32; ++round) {
        std::uint32_t feedback = (x ^ (x >> 1) ^ (x >> 2) ^ (x >> 4) ^ (x >> 6) ^ (x >> 31)) & 1u;
        x = (x << 1) + feedback;
    }
    return x;
}

// Each round is linear over the bits (the shifted-out bit 0 is free for the feedback), so the
// scramble of a word is the exclusive or of the scrambles of its four bytes in place: a list's
// seeding, which every loaded list with records does, takes table lookups, not 1,760 rounds.
struct ScrambleTables {
    std::array<std::array<std::uint32_t, 256>, 4> byByte{};
    constexpr ScrambleTables() {
        for (int b = 0; b < 4; ++b) {
            for (std::uint32_t v = 0; v < 256; ++v) {
                byByte[b][v] = scrambleBitByBit(v << (8 * b));
            }
        }
    }
};
constexpr ScrambleTables Tables;

std::uint32_t scramble(std::uint32_t x) {
    return Tables.byByte[0][x & 0xFF] ^ Tables.byByte[1][(x >> 8) & 0xFF] ^
           Tables.byByte[2][(x >> 16) & 0xFF] ^ Tables.byByte[3][x >> 24];
}

static_assert(scrambleBitByBit(0x12345678u) == (Tables.byByte[0][0x78] ^ Tables.byByte[1][0x56] ^
                                                 Tables.byByte[2][0x34] ^ Tables.byByte[3][0x12]));

} // namespace

TTovRandomGenerator::TTovRandomGenerator() {
    SetSeed(0);
}

void TTovRandomGenerator::SetSeed(std::uint32_t seed) {
    if (seed == 0) {
        seed = tickCount();
    }
    j_ = TableSize - 1;
    k_ = 23;
    for (std::uint32_t& word : table_) {
        seed = scramble(seed);
        word = seed;
    }
}

std::uint32_t TTovRandomGenerator::step() {
    table_[j_] += table_[k_];
    std::uint32_t high = table_[j_] >> 16;
    j_ = j_ == 0 ? TableSize - 1 : j_ - 1;
    k_ = k_ == 0 ? TableSize - 1 : k_ - 1;
    return high;
}

std::uint32_t TTovRandomGenerator::NextLong() {
    std::uint32_t low = step();
    std::uint32_t high = step();
    return (high << 16) | low;
}

} // namespace duebell
