#include "domain/ledger.h"

#include "domain/money.h"

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

Currency TLedger::OpenAdminFees(TDayNumber date) const {
    Currency open;
    for (const TLedgerMovement& movement : movements_) {
        if (movement.Date > date) {
            continue;
        }
        if (movement.Type == ltAdminFee) {
            open += movement.Amount;
        } else if (movement.Type == ltAdminFeePayment) {
            open -= movement.Amount;
        }
    }
    return open;
}

Currency AmountBehind(Currency balance, Currency scheduledBalance) {
    return std::max(RoundToCents(balance - scheduledBalance), Currency());
}

} // namespace duebell
