// What a ledger build reads from a loan and the configuration, gathered once before the day
// loop: every dated entry with its date part and the texts of its movements, in the order the
// day loop meets them, and the computed fee and rate-change dates worked out once each.
#pragma once

#include "domain/daynumber.h"
#include "objectlist/currency.h"

#include <string>
#include <vector>

namespace duebell {

class TBusinessCalendar;
class TMorvaneConfiguration;
class TMorvaneInstallmentFee;
class TMorvaneMortgage;
class TMorvaneMortgageRate;
class TMorvaneRateChange;

struct TLedgerInputs {
    // A payment received, a full fee charged, a payment against a full fee, or an arrears
    // administration fee charged: its day, amount, movement text and time of entry.
    struct Entry {
        TDayNumber Date;
        Currency Amount;
        std::string Text;
        double DateAdded;
    };
    struct InstalmentFee {
        TMorvaneInstallmentFee* Fee;
        double FirstPaymentDate; // 0: never charged
        double LastPaymentDate;
        double StopLastPaymentDate;
        Currency Amount; // per instalment
    };
    struct RateChange {
        TDayNumber EffectiveFrom;
        TMorvaneRateChange* Change;
    };

    std::vector<Entry> Payments;               // by date, then as the loan lists them
    std::vector<Entry> AdminFees;              // by date, then as the loan lists them
    std::vector<Entry> FullFees;               // by date, then as the loan lists them
    std::vector<Entry> FullFeePayments;        // by date, then fee by fee as the loan lists them
    std::vector<InstalmentFee> InstalmentFees; // by Priority
    std::vector<RateChange> RateChanges;       // by EffectiveFrom, the first change of a day only
};

// The rate history of the loan in the configuration; nothing when it has none. The lookup moves
// the cursor of the configuration's list, so builds on other threads are given it instead.
const TMorvaneMortgageRate* FindMortgageRates(const TMorvaneMortgage& loan,
                                              const TMorvaneConfiguration* configuration);

// The inputs of the loan's build, `rates` being the loan's rate history (FindMortgageRates).
TLedgerInputs GatherLedgerInputs(TMorvaneMortgage& loan, const TMorvaneConfiguration* configuration,
                                 const TBusinessCalendar& calendar,
                                 const TMorvaneMortgageRate* rates);

} // namespace duebell
