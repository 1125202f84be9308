#include "domain/money.h"

#include "objectlist/numberformat.h"

namespace duebell {

std::string FormatMoney(Currency amount) {
    return FormatMoneyText(amount);
}

} // namespace duebell
