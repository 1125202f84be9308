// Small string routines shared by the controls. All return new strings.
#pragma once

#include <string>
#include <string_view>

namespace duebell {

// Every occurrence of oldText, scanned from the left, replaced by newText; the text a
// replacement produces is not searched again. An empty oldText leaves s as it is.
std::string ReplaceSubstring(std::string_view s, std::string_view oldText,
                             std::string_view newText);
std::string DeleteChar(std::string_view s, char ch);
// Only the space character counts as a blank here; tabs stay.
std::string TrimLeadingSpaces(std::string_view s);
std::string TrimTrailingSpaces(std::string_view s);
std::string TrimSpaces(std::string_view s);
// count copies of ch; empty when count < 1.
std::string RepeatChar(char ch, int count);

} // namespace duebell
