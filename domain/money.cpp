#include "domain/money.h"

#include "objectlist/numberformat.h"

#include <cstdint>

namespace duebell {

std::string FormatMoney(Currency amount) {
    return FormatMoneyText(amount);
}

Currency RoundToCents(Currency amount) {
    constexpr std::int64_t PerCent = Currency::Scale / 100;
    std::int64_t cents = amount.raw() / PerCent;
    const std::int64_t rest = amount.raw() % PerCent;
    if (rest >= PerCent / 2)
        ++cents;
    else if (rest <= -PerCent / 2)
        --cents;
    return Currency::fromRaw(cents) * PerCent;
}

} // namespace duebell
