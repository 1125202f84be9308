// The rules of the numeric and currency edit, without its widget: the range (with its odd
// bound combinations), the edit text and the display text of a value, the number a text reads
// as, and whether a typed key keeps the text a valid number.
#pragma once

#include <string>

namespace duebell {

class NumEditRules {
public:
    double MinValue = 0;
    double MaxValue = 0;
    int DecimalPlaces = 2;
    std::string DisplayFormat = ",0.##";
    bool ZeroEmpty = true;

    // Equal bounds: no range. Min below max: both bounds. Min above max: only the lower bound
    // when max is 0, only the upper bound when min is 0, else no range. With `raise`, a value
    // the range changes raises ERangeError "Value must be between <min> and <max>", both
    // bounds with DecimalPlaces decimals.
    double ClampToRange(double value, bool raise) const;
    // What the field takes: that message, or "Value must be a number" with no range.
    std::string RangeMessage() const;

    // Blanks trimmed, thousands separators removed; "" reads as "0" and "-" as "-0".
    static std::string NormalizeNumberText(const std::string& text);
    // The number a text reads as; EConvertError for text that is no number.
    static double TextValue(const std::string& text);

    // While editing: "0" with up to DecimalPlaces decimals, no thousands separators, trailing
    // zeros dropped; empty for 0 with ZeroEmpty.
    std::string EditText(double value) const;
    // While not editing: the display format, or the general format without one.
    std::string DisplayText(double value) const;

    // Whether a typed printable key may go into the text (with the selection [selStart,
    // selStart + selLength) replaced by it): the result must read as a number, have at most
    // DecimalPlaces digits after the decimal point (and none at all without decimals), and
    // not be negative in a range of non-negative values.
    bool IsValidKey(char key, const std::string& text, int selStart, int selLength) const;
    // The same for a whole text, as typing would have to leave it.
    bool IsValidText(const std::string& text) const;
    // The number in a pasted text: an amount copied from a notice or a statement ("$1,234.50",
    // "-$681.59") without its blanks, currency sign and thousands separators. What is left of
    // any other text is for the field's rules to take or refuse.
    static std::string PastedNumber(const std::string& text);

    // Thousands separators for the integer digits of a number text (sign, decimals and
    // exponent kept as they are).
    static std::string FormatNumberText(const std::string& text, bool thousands);
};

// The display formats: ",0.##" for numbers; for money the currency pattern with the symbol in
// both sections, "$,0.00;-$,0.00".
std::string DefaultNumberDisplayFormat();
std::string DefaultCurrencyDisplayFormat();

} // namespace duebell
