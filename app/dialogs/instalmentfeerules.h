// The arithmetic of the instalment-fee windows and the changes they make to a loan's fees,
// apart from any widget: the client's schedule worked out from the user's, the dates a fee
// runs between, the termination date of a stopped fee, what a stop leaves uncharged and its
// conversion into a full-fee charge, and the exchange of two fees' priorities.
#pragma once

#include "objectlist/currency.h"
#include "objectlist/datetime.h"

#include <cstdint>
#include <optional>

namespace duebell {

class TMorvaneFeeTransaction;
class TMorvaneInstallmentFee;
class TMorvaneMortgage;

// A fee's schedule on the loan's own payment period.
struct TClientSchedule {
    std::int64_t NumberOfPayments = 0;
    double PaymentAmount = 0.0; // per loan payment, to the cent
};

// The user's schedule (payments of an amount at a frequency, an index of FrequencyNames)
// spread over the loan's payment period (an index of PaymentPeriodNames): as many loan payments
// as cover the same time, rounded up, sharing the same total, rounded to the cent. Nothing
// while the user's schedule is incomplete (no payments, no amount, no frequency) or the loan's
// period is unknown. 12 monthly payments of 100 on a fortnightly loan give 26 of 46.15.
std::optional<TClientSchedule> ClientSchedule(std::int64_t userPayments, double userAmount,
                                              int userFrequency, int loanPaymentPeriod);

// The first loan payment date that carries an instalment of a fee notified on a date (the
// first contract payment date on or after the end of the instalment-fee notice period) and its
// last, the given number of payment dates on, on a business day. Both 0 when the loan has no
// known payment period.
struct TInstalmentFeeDates {
    TDate Effective;
    TDate Completion;
};
TInstalmentFeeDates InstalmentFeeDates(const TMorvaneMortgage& loan, TDate notified, int payments);
// The last of a number of payments from an effective date, on a business day.
TDate InstalmentFeeCompletion(const TMorvaneMortgage& loan, TDate effective, int payments);
// The last instalment of a fee stopped on a date: the first contract payment date on or after
// it (counted from the draw-down date, not moved to a business day).
TDate InstalmentFeeTermination(const TMorvaneMortgage& loan, TDate stopNotified);

// What the ledger will no longer charge of a fee stopped with that termination date: its
// instalments due after it. Those due up to it are charged already, paid or not, and stay with
// the ledger, which collects them. 26 fortnightly instalments of 69.23 stopped on the fifth's
// date leave 21 x 69.23 = 1,453.83.
Currency InstalmentFeeUncharged(const TMorvaneMortgage& loan, const TMorvaneInstallmentFee& fee,
                                TDate termination);
// Charges what a stopped instalment fee leaves uncharged as a full fee of the loan, due on the
// termination date, described "Instalment Fee - <description>", under the loan's next fee
// number. Gives the charge, which the loan now holds.
TMorvaneFeeTransaction& ChargeOutstandingInstalmentFee(TMorvaneMortgage& loan,
                                                       const TMorvaneInstallmentFee& fee,
                                                       TDate chargeDate, Currency outstanding);

// Exchanges the priorities of two of the loan's instalment fees in place, so each keeps
// everything else (what the ledger counted included), puts the list back in priority order and
// marks the loan book changed. The caller rebuilds the loan.
void SwapInstalmentFeePriorities(TMorvaneMortgage& loan, TMorvaneInstallmentFee& first,
                                 TMorvaneInstallmentFee& second);

// The loan's next full-fee number, taken: numbers only grow, so none is used twice on a loan,
// not even after a deletion.
int TakeNextFeeNumber(TMorvaneMortgage& loan);

} // namespace duebell
