// A number as decimal digits, the form in which the number formatter rounds and lays out
// values: value = 0.d1 d2 d3 ... x 10^exponent. Rounding works on these digits, so a double
// is first reduced to its 15 significant digits (2.675 is "2675", exponent 1, not
// 2.67499999...) and a Currency is taken exactly from its integer.
#pragma once

#include "objectlist/currency.h"

#include <string>

namespace duebell {

struct DecimalDigits {
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty for zero
    int exponent = 0;

    bool isZero() const { return digits.empty(); }

    // The value's finite double rounded to `significant` digits (1 to 17).
    static DecimalDigits fromDouble(double value, int significant = 15);
    static DecimalDigits fromCurrency(Currency value);

    // Half away from zero, keeping `decimals` digits after the decimal point.
    void roundToDecimals(int decimals);
    // Half away from zero, keeping `count` significant digits.
    void roundToSignificant(int count);

    // Digits of the integer part ("" below 1) and the first `count` digits after the point.
    std::string integerDigits() const;
    std::string fractionDigits(int count) const;

private:
    void roundAt(int keep);
};

} // namespace duebell
