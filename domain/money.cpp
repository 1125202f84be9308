#include "domain/money.h"

#include "objectlist/formatsettings.h"
#include "objectlist/numberformat.h"

namespace duebell {

namespace {

// The format pattern for money, built from the currency settings: grouped digits with the
// currency's decimals, the symbol placed by the currency format, and a leading minus sign
// before the positive form for negative amounts.
std::string MoneyPattern() {
    namespace fs = FormatSettings;
    const std::string number = ",0." + std::string(fs::CurrencyDecimals, '0');
    std::string symbol;
    for (char c : fs::CurrencyString) {
        if (c == ',' || c == '.') {
            symbol += '\'';
            symbol += c;
            symbol += '\'';
        } else {
            symbol += c;
        }
    }
    std::string positive;
    if (symbol.empty()) {
        positive = number;
    } else {
        switch (fs::CurrencyFormat) {
        case 0:
            positive = symbol + number;
            break;
        case 1:
            positive = number + symbol;
            break;
        case 2:
            positive = symbol + " " + number;
            break;
        default:
            positive = number + " " + symbol;
            break;
        }
    }
    return positive + ";-" + positive;
}

} // namespace

std::string FormatMoney(Currency amount) {
    static const std::string pattern = MoneyPattern();
    return FormatCurr(pattern, amount);
}

} // namespace duebell
