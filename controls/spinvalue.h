// The value rules of a spin edit, without its widget: the text read as a whole number, a
// float or a hexadecimal number, the range applied on writing only, the step, and the
// characters that may be typed.
#pragma once

#include <string>

namespace duebell {

enum TValueType { vtInteger, vtFloat, vtHex };

class SpinValue {
public:
    TValueType ValueType() const { return valueType_; }
    // Integer and hexadecimal values step by whole numbers: the increment is rounded, and 0
    // becomes 1.
    void SetValueType(TValueType type);
    double MinValue = 0;
    double MaxValue = 0;
    double Increment() const { return increment_; }
    void SetIncrement(double increment);
    int Decimal = 2; // decimals shown for floats

    // The text as a value, unclamped; text that is no number of the type reads as MinValue
    // (truncated for whole numbers).
    double ValueOf(const std::string& text) const;
    // The text for a value, clamped first: a float with Decimal decimals, a rounded whole
    // number, or rounded hexadecimal digits without "$".
    std::string TextOf(double value) const;
    // Equal bounds mean no range.
    double CheckValue(double value) const;
    // Whether the text is a number of the value type that the field holds: within the range,
    // and for whole numbers within what an int holds.
    bool Holds(const std::string& text) const;
    // What the field holds, for its messages: "Value must be a whole number between <min> and
    // <max>" (without a range, an int's bounds), "Value must be a hexadecimal number between
    // <min> and <max>", or for floats "Value must be between <min> and <max>" with Decimal
    // decimals ("Value must be a number" without a range).
    std::string RangeMessage() const;
    // Whether a typed character may go into the text: signs, digits, control characters; a
    // float adds one decimal point and one exponent, a hexadecimal number A-F. Without
    // `editorEnabled` only control characters other than backspace.
    bool IsValidChar(char key, const std::string& text, bool editorEnabled) const;

private:
    TValueType valueType_ = vtInteger;
    double increment_ = 1;
};

} // namespace duebell
