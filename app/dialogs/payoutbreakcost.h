// TPayoutBreakCost: an amount the lender adds to a payout figure (the accumulated interest,
// a break fee), kept by the Notice of Payout while it is open, never stored.
#pragma once

#include "objectlist/objectlist.h"

#include <string>

namespace duebell {

class TPayoutBreakCost : public TTovRecord<TPayoutBreakCost> {
public:
    using TTovRecord::TTovRecord;

    std::string Description; // the line's key in the payout's list
    Currency Amount;

    static void DeclareProperties(TTovPropertyTable<TPayoutBreakCost>& table);
};

} // namespace duebell
