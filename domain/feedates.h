// The days on which fees and rate changes take effect, worked out from the loan's schedule.
// The computed properties of the fee and rate-change records read them; a ledger build or an
// alert refresh calls these directly, once per record, with the loan and calendar at hand.
// A result of 0 means "no date".
#pragma once

#include "domain/daynumber.h"

namespace duebell {

class TBusinessCalendar;
class TMorvaneConfiguration;
class TMorvaneFeeTransaction;
class TMorvaneInstallmentFee;
class TMorvaneMortgage;
class TMorvaneRateChange;

// The instalment fee that stands for arrears administration fees; it is never charged.
inline constexpr const char* ArrearsAdministrationFee = "Arrears Administration Fee";

// A full fee of a type in the fee list falls due on the business day after its notice period;
// any other fee on its own date.
TDayNumber FeeEffectiveFrom(const TMorvaneFeeTransaction& fee,
                            const TMorvaneConfiguration* configuration,
                            const TBusinessCalendar& calendar);

// The first contract payment date (counted from the draw-down date, not moved to a business
// day) on or after the fee date plus the instalment-fee notice period.
TDayNumber InstalmentFeeFirstPaymentDate(const TMorvaneInstallmentFee& fee,
                                         const TMorvaneMortgage& loan,
                                         const TMorvaneConfiguration* configuration);
// The fee's last instalment: NumberOfPayments payment dates from the first, on a business day.
TDayNumber InstalmentFeeLastPaymentDate(const TMorvaneInstallmentFee& fee,
                                        const TMorvaneMortgage& loan, TDayNumber firstPaymentDate,
                                        const TBusinessCalendar& calendar);

// The day after the first contract payment date on or after the end of the loan's rate change
// notice period.
TDayNumber RateChangeEffectiveFrom(const TMorvaneRateChange& change, const TMorvaneMortgage& loan);

} // namespace duebell
