#include "controls/spinvalue.h"

#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <cctype>
#include <cmath>
#include <cstdint>

namespace duebell {

namespace {

// Delphi's Round: to the nearest whole number, halves to even.
std::int64_t RoundEven(double v) {
    return static_cast<std::int64_t>(std::nearbyint(v));
}

std::string Hex(std::int64_t v) {
    static const char* digits = "0123456789ABCDEF";
    auto u = static_cast<std::uint64_t>(v);
    std::string out;
    do {
        out.insert(out.begin(), digits[u & 15]);
        u >>= 4;
    } while (u != 0);
    return out;
}

} // namespace

void SpinValue::SetValueType(TValueType type) {
    valueType_ = type;
    if (type != vtFloat)
        SetIncrement(increment_);
}

void SpinValue::SetIncrement(double increment) {
    if (valueType_ != vtFloat) {
        increment = static_cast<double>(RoundEven(increment));
        if (increment == 0)
            increment = 1;
    }
    increment_ = increment;
}

double SpinValue::ValueOf(const std::string& text) const {
    switch (valueType_) {
    case vtFloat: {
        double v = 0;
        return TryStrToFloat(text, v) ? v : MinValue;
    }
    case vtHex: {
        int v = 0;
        return TryStrToInt("$" + text, v) ? v : std::trunc(MinValue);
    }
    case vtInteger: {
        int v = 0;
        return TryStrToInt(text, v) ? v : std::trunc(MinValue);
    }
    }
    return MinValue;
}

double SpinValue::CheckValue(double value) const {
    if (MinValue == MaxValue)
        return value;
    if (value < MinValue)
        return MinValue;
    if (value > MaxValue)
        return MaxValue;
    return value;
}

std::string SpinValue::TextOf(double value) const {
    value = CheckValue(value);
    switch (valueType_) {
    case vtFloat:
        return FormatFloat(
            Decimal > 0 ? "0." + std::string(static_cast<std::size_t>(Decimal), '0') : "0", value);
    case vtHex:
        return Hex(RoundEven(value));
    case vtInteger:
        return IntToStr(RoundEven(value));
    }
    return {};
}

bool SpinValue::IsValidChar(char key, const std::string& text, bool editorEnabled) const {
    const auto code = static_cast<unsigned char>(key);
    if (!editorEnabled)
        return code < 32 && key != '\b';
    if (code < 32)
        return true;
    if (key == '+' || key == '-' || std::isdigit(code))
        return true;
    if (valueType_ == vtFloat) {
        if (key == FormatSettings::DecimalSeparator &&
            text.find(FormatSettings::DecimalSeparator) == std::string::npos)
            return true;
        if ((key == 'E' || key == 'e') && text.find_first_of("Ee") == std::string::npos)
            return true;
    }
    if (valueType_ == vtHex)
        return (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
    return false;
}

} // namespace duebell
