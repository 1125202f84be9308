// A test-only seam on the program's one clock: the environment variable DUEBELL_TODAY
// (YYYY-MM-DD) starts the program on that day, so a whole-program test knows which
// instalments are due. Unset or empty, the program takes the day from the system's clock.
#pragma once

#include <optional>
#include <string>

namespace duebell {

inline constexpr const char* FixedTodayVariable = "DUEBELL_TODAY";

// The day number of a YYYY-MM-DD text; nothing for an empty text. Any other text raises an
// Exception saying what the variable must hold.
std::optional<double> ReadFixedToday(const std::string& text);

// Fixes today from DUEBELL_TODAY when it is set.
void FixTodayFromEnvironment();

} // namespace duebell
