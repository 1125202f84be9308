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
std::uint32_t scramble(std::uint32_t x) {
    for (int round = 0; round < 32; ++round) {
        std::uint32_t feedback = (x ^ (x >> 1) ^ (x >> 2) ^ (x >> 4) ^ (x >> 6) ^ (x >> 31)) & 1u;
        x = (x << 1) + feedback;
    }
    return x;
}

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
