// A loan's daily ledger in compact form, as a build leaves it: one entry per calendar day with
// the running figures after that day, and the movements of every day in the order they were
// made. The alert rules read this form; the day records that the reports and grids read are
// made from it (ledgerdays.h).
#pragma once

#include "domain/daynumber.h"
#include "domain/enums.h"
#include "objectlist/currency.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace duebell {

struct TLedgerDay {
    static constexpr TDayNumber NoDay = std::numeric_limits<TDayNumber>::min();

    TDayNumber Date = NoDay;
    Currency Balance;       // the actual balance
    Currency ShadowBalance; // the balance the contract schedule expects
    Currency FeeBalance;    // full fees charged less full-fee payments
    Currency PMTAmount;     // the contract instalment of the day
    Currency ActualRate;    // the total annual rate, per cent
    Currency DailyInterest;
    Currency AccumulatedInterest; // interest since the last interest date
    Currency InstalmentFeeArrears; // instalment-fee instalments charged and not yet paid
};

// How far a day's balance is behind its schedule, to the cent as the notices print it; nothing
// when it is on or ahead of its schedule. A loan is in arrears on a day only when this is not
// nothing: a fraction of a cent behind is on schedule.
Currency AmountBehind(Currency balance, Currency scheduledBalance);

struct TLedgerMovement {
    TDayNumber Date = 0; // the day record the movement belongs to
    TMorvaneLocalTransactionType Type = ltOpeningBalance;
    std::string Text;
    Currency Amount;
    Currency Rate;
    double DateAdded = 0.0;
};

class TLedger {
public:
    // In date order, no two on one day. Every day from the draw-down date to the last day of
    // the build is there; an interest posting day made ahead of the last day may follow.
    const std::vector<TLedgerDay>& Days() const { return days_; }
    const std::vector<TLedgerMovement>& Movements() const { return movements_; }
    bool Empty() const { return days_.empty(); }

    // The day of that date; nothing when the ledger has none.
    const TLedgerDay* Find(TDayNumber date) const;
    // The last day dated before the date; nothing when there is none.
    const TLedgerDay* LastBefore(TDayNumber date) const;
    // The arrears administration fees charged up to the end of the date, less what payments
    // took off them by then: what the next payment pays first.
    Currency OpenAdminFees(TDayNumber date) const;

private:
    friend class TLedgerBuilder;

    std::vector<TLedgerDay> days_;
    std::vector<TLedgerMovement> movements_;
};

} // namespace duebell
