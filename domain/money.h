// Every amount the program shows or prints goes through FormatMoney.
#pragma once

#include "objectlist/currency.h"

#include <string>

namespace duebell {

// The amount in the program's fixed currency format: "$1,234,567.00", "-$12.50".
std::string FormatMoney(Currency amount);

} // namespace duebell
