// The pocket calculator behind the calculator panel: a display text, a status (first: the next
// digit starts a new number; valid: digits are being entered; error), a pending operator, an
// operand and a memory. Keys come in as characters.
#pragma once

#include <functional>
#include <string>

namespace duebell {

enum TCalcState { csFirst, csValid, csError };

class CalculatorEngine {
public:
    // Keys besides digits, operators and the decimal point.
    static constexpr char KeyEnter = '\r';
    static constexpr char KeyEscape = '\x1b';
    static constexpr char KeyBackspace = '\b';

    const std::string& DisplayText() const { return display_; }
    double DisplayValue() const;
    TCalcState Status() const { return status_; }
    char PendingOperator() const { return pending_; }
    double Operand() const { return operand_; }
    double Memory() const { return memory_; }
    // "M" while the memory holds something, else nothing.
    std::string MemoryText() const { return memory_ != 0 ? "M" : ""; }
    int Precision() const { return precision_; }
    // The most digits a number may have; at least 2.
    void SetPrecision(int digits) { precision_ = digits < 2 ? 2 : digits; }
    bool BeepOnError = true;

    // One key, upper-cased: digits, "." or ",", "_" (sign), "+ - * / % =", Enter, "Q"
    // (square root), "R" (reciprocal), "C" or Escape (clear), backspace.
    void CalcKey(char key);
    void Clear();
    // Shows a number as the start of a new one.
    void SetValue(double value);
    void MemoryAdd();
    void MemoryStore();
    void MemoryRecall();
    void MemoryClear();
    // The display to the clipboard; a number from the clipboard (currency symbol removed).
    void Copy() const;
    void Paste();
    void Ok();
    void Cancel();

    // May change a key, or cancel it by setting it to '\0'.
    std::function<void(char& key)> OnCalcKey;
    std::function<void()> OnDisplayChange;
    std::function<void()> OnMemoryChange;
    std::function<void()> OnResult;
    std::function<void()> OnError;
    std::function<void()> OnOk;
    std::function<void()> OnCancel;

private:
    void ShowValue(double value);
    void SetDisplay(const std::string& text);
    void Error();
    void Beep() const;
    void Operator(char key);

    std::string display_ = "0";
    TCalcState status_ = csFirst;
    char pending_ = '=';
    double operand_ = 0;
    double memory_ = 0;
    int precision_ = 15;
};

} // namespace duebell
