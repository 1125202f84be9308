// Every amount the program shows or prints goes through FormatMoney.
#pragma once

#include "objectlist/currency.h"

#include <string>

namespace duebell {

// The amount in the program's fixed currency format: "$1,234,567.00", "-$12.50".
std::string FormatMoney(Currency amount);
// The amount to the cent, half away from zero: the amount FormatMoney shows. Figures that are
// added up on paper add up these, so a total is the sum of the amounts printed above it.
Currency RoundToCents(Currency amount);

} // namespace duebell
