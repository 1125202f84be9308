// Signed integer minimum and maximum.
#pragma once

namespace duebell {

constexpr int IntMax(int a, int b) {
    return a > b ? a : b;
}
constexpr int IntMin(int a, int b) {
    return a < b ? a : b;
}

} // namespace duebell
