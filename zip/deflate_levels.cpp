#include "zip/deflate_levels.h"

#include "objectlist/exceptions.h"

#include <array>
#include <string>

namespace duebell::zip::deflate {

namespace {

constexpr std::array<LevelSettings, 10> Levels = {{
    {0, 0, 0, 0, false},
    {4, 4, 8, 4, false},
    {4, 5, 16, 8, false},
    {4, 6, 32, 32, false},
    {4, 4, 16, 16, true},
    {8, 16, 32, 32, true},
    {8, 16, 128, 128, true},
    {8, 32, 128, 256, true},
    {32, 128, 258, 1024, true},
    {32, 258, 258, 4096, true},
}};

} // namespace

const LevelSettings& levelSettings(int level) {
    if (level < MinLevel || level > MaxLevel)
        throw InternalError("Deflate level " + std::to_string(level) + " is out of range.");
    return Levels[level];
}

std::uint16_t levelFlags(int level) {
    if (level == 1 || level == 2)
        return 4;
    if (level == 8 || level == 9)
        return 2;
    return 0;
}

} // namespace duebell::zip::deflate
