#include "domain/ledger.h"

#include <algorithm>

namespace duebell {

const TLedgerDay* TLedger::Find(TDayNumber date) const {
    const auto at =
        std::lower_bound(days_.begin(), days_.end(), date,
                         [](const TLedgerDay& day, TDayNumber d) { return day.Date < d; });
    return at != days_.end() && at->Date == date ? &*at : nullptr;
}

const TLedgerDay* TLedger::LastBefore(TDayNumber date) const {
    const auto at =
        std::lower_bound(days_.begin(), days_.end(), date,
                         [](const TLedgerDay& day, TDayNumber d) { return day.Date < d; });
    return at != days_.begin() ? &*(at - 1) : nullptr;
}

} // namespace duebell
