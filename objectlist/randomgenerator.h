// The pseudo-random generator that draws skip-list levels: an additive lagged-Fibonacci
// generator over a table of 55 words, seeded through a 32-round shift-register scramble.
// Its sequence for a given seed is fixed, so list shapes can be reproduced in tests.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

namespace duebell {

// Mutual exclusion for a generator shared between threads. The program draws on the GUI
// thread only, so no operation of the generator takes it; callers that share one may.
class TTovResourceLock {
public:
    void Acquire() { mutex_.lock(); }
    void Release() { mutex_.unlock(); }

private:
    std::mutex mutex_;
};

class TTovRandomGenerator {
public:
    // Seeded with 0, that is from the tick count.
    TTovRandomGenerator();

    // A seed of 0 is replaced by the milliseconds since the system started.
    void SetSeed(std::uint32_t seed);
    std::uint32_t NextLong();

    TTovResourceLock& Lock() { return lock_; }

private:
    static constexpr int TableSize = 55;
    std::array<std::uint32_t, TableSize> table_{};
    int j_ = 0;
    int k_ = 0;
    TTovResourceLock lock_;

    std::uint32_t step();
};

} // namespace duebell
