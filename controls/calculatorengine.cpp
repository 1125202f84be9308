#include "controls/calculatorengine.h"

#include "controls/exstrutils.h"
#include "controls/uihooks.h"
#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace duebell {

namespace {

// The general float format with at most `digits` significant digits.
std::string GeneralText(double value, int digits) {
    if (digits < 15) {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, digits - 1);
        if (ec == std::errc())
            std::from_chars(buffer, end, value);
    }
    return FloatToStr(value);
}

bool ReadNumber(std::string text, double& value) {
    if (!text.empty() && text.back() == FormatSettings::DecimalSeparator)
        text.pop_back();
    return TryStrToFloat(text, value);
}

} // namespace

double CalculatorEngine::DisplayValue() const {
    double value = 0;
    return ReadNumber(display_, value) ? value : 0;
}

void CalculatorEngine::Beep() const {
    if (BeepOnError)
        MessageBeep();
}

void CalculatorEngine::SetDisplay(const std::string& text) {
    if (text == display_)
        return;
    display_ = text;
    if (OnDisplayChange)
        OnDisplayChange();
}

void CalculatorEngine::ShowValue(double value) {
    if (!std::isfinite(value)) {
        Error();
        return;
    }
    SetDisplay(GeneralText(value, std::max(2, precision_)));
}

void CalculatorEngine::Error() {
    status_ = csError;
    SetDisplay("Error");
    Beep();
    if (OnError)
        OnError();
}

void CalculatorEngine::Clear() {
    status_ = csFirst;
    SetDisplay("0");
    pending_ = '=';
}

void CalculatorEngine::SetValue(double value) {
    status_ = csFirst;
    ShowValue(value);
}

void CalculatorEngine::CalcKey(char key) {
    key = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const bool clearKey = key == 'C' || key == KeyEscape;
    if (status_ == csError && !clearKey)
        return;
    if (OnCalcKey) {
        OnCalcKey(key);
        if (key == '\0')
            return;
    }
    if (key == '.' || key == ',' || key == FormatSettings::DecimalSeparator) {
        if (status_ == csFirst) {
            status_ = csValid;
            SetDisplay("0");
        }
        if (display_.find(FormatSettings::DecimalSeparator) == std::string::npos)
            SetDisplay(display_ + FormatSettings::DecimalSeparator);
    } else if (std::isdigit(static_cast<unsigned char>(key))) {
        if (status_ == csFirst) {
            status_ = csValid;
            SetDisplay("0");
        }
        std::string text = display_ == "0" ? std::string() : display_;
        if (text.find('E') != std::string::npos)
            return;
        const std::size_t limit =
            static_cast<std::size_t>(std::max(2, precision_)) + (text.starts_with('-') ? 1 : 0);
        if (text.size() < limit)
            SetDisplay(text + key);
        else
            Beep();
    } else if (key == 'Q') {
        status_ = csFirst;
        const double v = DisplayValue();
        if (v < 0)
            Error();
        else
            ShowValue(std::sqrt(v));
    } else if (key == 'R') {
        status_ = csFirst;
        const double v = DisplayValue();
        if (v == 0)
            Error();
        else
            ShowValue(1 / v);
    } else if (key == '_') {
        ShowValue(-DisplayValue());
    } else if (clearKey) {
        Clear();
    } else if (key == KeyBackspace) {
        if (display_.size() == 1 || (display_.size() == 2 && display_[0] == '-'))
            SetDisplay("0");
        else
            SetDisplay(display_.substr(0, display_.size() - 1));
    } else if (std::string_view("+-*/%=").find(key) != std::string_view::npos || key == KeyEnter) {
        Operator(key);
    }
}

void CalculatorEngine::Operator(char key) {
    if (status_ == csValid) {
        status_ = csFirst;
        double r = DisplayValue();
        if (key == '%') {
            if (pending_ == '+' || pending_ == '-')
                r = operand_ * r / 100;
            else if (pending_ == '*' || pending_ == '/')
                r = r / 100;
        }
        switch (pending_) {
        case '+':
            r = operand_ + r;
            break;
        case '-':
            r = operand_ - r;
            break;
        case '*':
            r = operand_ * r;
            break;
        case '/':
            if (r == 0) {
                Error();
                return;
            }
            r = operand_ / r;
            break;
        default:
            break;
        }
        ShowValue(r);
        if (status_ == csError)
            return;
    }
    pending_ = key;
    operand_ = DisplayValue();
    if ((key == KeyEnter || key == '%' || key == '=') && OnResult)
        OnResult();
}

void CalculatorEngine::MemoryAdd() {
    if (status_ == csError)
        return;
    memory_ += DisplayValue();
    if (OnMemoryChange)
        OnMemoryChange();
}

void CalculatorEngine::MemoryStore() {
    if (status_ == csError)
        return;
    memory_ = DisplayValue();
    if (OnMemoryChange)
        OnMemoryChange();
}

void CalculatorEngine::MemoryRecall() {
    if (status_ == csError)
        return;
    status_ = csFirst;
    ShowValue(memory_);
}

void CalculatorEngine::MemoryClear() {
    memory_ = 0;
    if (OnMemoryChange)
        OnMemoryChange();
}

void CalculatorEngine::Copy() const {
    SetClipboardText(display_);
}

void CalculatorEngine::Paste() {
    if (status_ == csError)
        return;
    const std::string text =
        TrimSpaces(ReplaceSubstring(ClipboardText(), FormatSettings::CurrencyString, ""));
    double value = 0;
    if (TryStrToFloat(text, value)) {
        status_ = csFirst;
        ShowValue(value);
    }
}

void CalculatorEngine::Ok() {
    if (status_ == csError) {
        Beep();
        return;
    }
    if (OnOk)
        OnOk();
}

void CalculatorEngine::Cancel() {
    if (OnCancel)
        OnCancel();
}

} // namespace duebell
