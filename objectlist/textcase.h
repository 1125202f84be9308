// Case-insensitive comparison of names (element and property names are ASCII).
#pragma once

#include <string>
#include <string_view>

namespace duebell {

inline char ToUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    return true;
}

inline std::string UpperCaseAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = ToUpperAscii(c);
    return result;
}

} // namespace duebell
