// The compression levels 1 to 9: how hard the matcher searches at each level, and the bits
// a zip entry's general purpose flags carry for the level.
#pragma once

#include <cstdint>

namespace duebell::zip::deflate {

struct LevelSettings {
    unsigned goodLength; // a previous match this long cuts the search to a quarter of the chain
    unsigned lazyLength; // fast levels: matches up to this long enter all positions into the
                         // chains; lazy levels: no lazy search behind a match this long
    unsigned niceLength; // stop searching at a match this long
    unsigned maxChain;   // candidates tried per search
    bool lazy;           // lazy evaluation (levels 4 to 9) rather than the fast strategy
};

inline constexpr int MinLevel = 1;
inline constexpr int MaxLevel = 9;

// The settings of a level from 1 to 9; other values raise.
const LevelSettings& levelSettings(int level);

// Levels 1 and 2 set bit 2 (fast), 8 and 9 bit 1 (maximum), the others neither.
std::uint16_t levelFlags(int level);

} // namespace duebell::zip::deflate
