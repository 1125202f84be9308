#include "controls/spinvalue.h"

#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>

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

// A hexadecimal bound as the field shows one, with a minus before a negative one.
std::string SignedHex(std::int64_t v) {
    return v < 0 ? "-" + Hex(-v) : Hex(v);
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

bool SpinValue::Holds(const std::string& text) const {
    double value = 0;
    int whole = 0;
    switch (valueType_) {
    case vtFloat:
        if (!TryStrToFloat(text, value))
            return false;
        break;
    case vtHex:
        if (!TryStrToInt("$" + text, whole))
            return false;
        value = whole;
        break;
    case vtInteger:
        if (!TryStrToInt(text, whole))
            return false;
        value = whole;
        break;
    }
    return CheckValue(value) == value;
}

std::string SpinValue::RangeMessage() const {
    const bool ranged = MinValue != MaxValue;
    if (valueType_ == vtFloat) {
        if (!ranged)
            return "Value must be a number";
        const std::string pattern =
            Decimal > 0 ? "0." + std::string(static_cast<std::size_t>(Decimal), '0') : "0";
        return "Value must be between " + FormatFloat(pattern, MinValue) + " and " +
               FormatFloat(pattern, MaxValue);
    }
    // A whole-number field without a range still holds no more than an int does.
    const std::int64_t low = ranged ? RoundEven(MinValue) : std::numeric_limits<int>::min();
    const std::int64_t high = ranged ? RoundEven(MaxValue) : std::numeric_limits<int>::max();
    if (valueType_ == vtHex)
        return "Value must be a hexadecimal number between " + SignedHex(low) + " and " +
               SignedHex(high);
    return "Value must be a whole number between " + IntToStr(low) + " and " + IntToStr(high);
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
