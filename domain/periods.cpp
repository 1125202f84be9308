#include "domain/periods.h"

#include "objectlist/numberformat.h"

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

std::string OrdinalDayText(int day) {
    const int lastTwo = day < 0 ? -(day % 100) : day % 100;
    const bool teen = lastTwo >= 11 && lastTwo <= 13;
    return IntToStr(day) + std::string(teen ? "th" : OrdinalSuffixes[lastTwo % 10]);
}

int PaymentPeriodIndex(std::string_view text) {
    return IndexOfText(text, PaymentPeriodNames);
}

int StatementPeriodIndex(std::string_view text) {
    return IndexOfText(text, StatementPeriodNames);
}

} // namespace duebell
