#include "domain/periods.h"

#include <algorithm>

namespace duebell {

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

} // namespace

int IndexOfText(std::string_view text, std::span<const std::string_view> names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameText(text, names[i]))
            return static_cast<int>(i);
    return -1;
}

int PaymentPeriodIndex(std::string_view text) {
    return IndexOfText(text, PaymentPeriodNames);
}

int StatementPeriodIndex(std::string_view text) {
    return IndexOfText(text, StatementPeriodNames);
}

} // namespace duebell
