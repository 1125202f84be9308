// The pieces of generated test data the zip benchmarks share: fixed-width binary records and
// random bytes, appended to a byte buffer from the benchmark's own random engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace duebell::bench {

using Bytes = std::vector<std::uint8_t>;

// Rows of a table: an increasing key, a date, small counts and an amount, little-endian.
inline void AppendRecords(Bytes& out, std::size_t size, std::mt19937& engine) {
    const std::size_t end = out.size() + size;
    std::uint32_t key = 1;
    while (out.size() < end) {
        const std::uint32_t fields[4] = {key++, static_cast<std::uint32_t>(44000 + engine() % 1200),
                                         static_cast<std::uint32_t>(engine() % 16),
                                         static_cast<std::uint32_t>(engine() % 300000 * 100)};
        for (std::uint32_t f : fields)
            for (int b = 0; b < 4; ++b)
                out.push_back(static_cast<std::uint8_t>(f >> (8 * b)));
    }
    out.resize(end);
}

// Incompressible bytes.
inline void AppendRandom(Bytes& out, std::size_t size, std::mt19937& engine) {
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(engine() >> 24));
}

} // namespace duebell::bench
