// The longest names and address parts the client and property dialogs take: what the printed
// letters and labels make room for, drawing a long one smaller where it must.
#pragma once

#include <initializer_list>
#include <utility>

class QLineEdit;

namespace duebell {

inline constexpr int SurnameLength = 40;
inline constexpr int GivenNamesLength = 40;
inline constexpr int StreetNoLength = 10;
inline constexpr int StreetNameLength = 40;
inline constexpr int SuburbLength = 40;
inline constexpr int StateLength = 10;
inline constexpr int PostcodeLength = 10;

// Each edit takes no more than its length typed; a longer text it already shows (a record
// from before the limit, or from an imported book) stays whole, so saving never cuts it.
void LimitTypedLengths(std::initializer_list<std::pair<QLineEdit*, int>> edits);

} // namespace duebell
