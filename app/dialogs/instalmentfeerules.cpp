#include "app/dialogs/instalmentfeerules.h"

#include "domain/calendar.h"
#include "domain/feedates.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/processobjects.h"
#include "domain/schedule.h"
#include "objectlist/exceptions.h"
#include "objectlist/rounding.h"

#include <utility>

namespace duebell {

namespace {

bool KnownIndex(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

} // namespace

std::optional<TClientSchedule> ClientSchedule(std::int64_t userPayments, double userAmount,
                                              int userFrequency, int loanPaymentPeriod) {
    if (userPayments <= 0 || !(userAmount > 0.0) ||
        !KnownIndex(userFrequency, FrequencyPeriodsPerYear.size()) ||
        !KnownIndex(loanPaymentPeriod, PeriodsPerYear.size()))
        return std::nullopt;
    // In whole numbers, so rounding up never hangs on a binary fraction.
    const std::int64_t loanPerYear = PeriodsPerYear[loanPaymentPeriod];
    const std::int64_t userPerYear = FrequencyPeriodsPerYear[userFrequency];
    TClientSchedule schedule;
    schedule.NumberOfPayments = (userPayments * loanPerYear + userPerYear - 1) / userPerYear;
    const Currency total = Currency::fromDouble(userAmount) * userPayments;
    schedule.PaymentAmount =
        RoundToDigits(2, total.toDouble() / static_cast<double>(schedule.NumberOfPayments));
    return schedule;
}

TInstalmentFeeDates InstalmentFeeDates(const TMorvaneMortgage& loan, TDate notified, int payments) {
    // A scratch fee of no loan, so the fee being edited is not written before Save.
    const std::unique_ptr<TMorvaneInstallmentFee> probe = MakeItem<TMorvaneInstallmentFee>(nullptr);
    probe->TransactionDate = notified;
    probe->NumberOfPayments = payments;
    TInstalmentFeeDates dates;
    const TDayNumber first = InstalmentFeeFirstPaymentDate(*probe, loan, Configuration());
    if (first <= 0)
        return dates;
    dates.Effective = AsDate(first);
    dates.Completion = InstalmentFeeCompletion(loan, dates.Effective, payments);
    return dates;
}

TDate InstalmentFeeCompletion(const TMorvaneMortgage& loan, TDate effective, int payments) {
    const int period = loan.Contract->PaymentPeriodIndex();
    if (period < 0 || effective.value <= 0)
        return TDate();
    return NthPaymentDate(period, payments, effective);
}

TDate InstalmentFeeTermination(const TMorvaneMortgage& loan, TDate stopNotified) {
    const int period = loan.Contract->PaymentPeriodIndex();
    if (period < 0)
        return TDate();
    return AdvanceToDate(period, stopNotified, loan.Contract->PossessionDate);
}

Currency InstalmentFeeUncharged(const TMorvaneMortgage& loan, const TMorvaneInstallmentFee& fee,
                                TDate termination) {
    const int period = loan.Contract->PaymentPeriodIndex();
    const TDayNumber first = DayOf(fee.FirstPaymentDate());
    const TDayNumber last = DayOf(fee.LastPaymentDate());
    if (period < 0 || first <= 0)
        return Currency();
    // The contract payment dates as the ledger steps them, each charged the day after the one
    // before while the term runs, when it falls between the fee's first and last instalment.
    const TDayNumber start = DayOf(loan.Contract->PossessionDate);
    const TDayNumber termEnd = IncDate(duYears, loan.Contract->ContractTerm, start);
    std::int64_t uncharged = 0;
    for (TDayNumber before = start, due = NextPaymentDate(period, start);
         before < termEnd && due <= last; before = due, due = NextPaymentDate(period, due)) {
        if (due >= first && due > DayOf(termination))
            ++uncharged;
    }
    // Each instalment is charged as the currency amount the ledger makes of PaymentAmount.
    return Currency::fromDouble(fee.PaymentAmount) * uncharged;
}

TMorvaneFeeTransaction& ChargeOutstandingInstalmentFee(TMorvaneMortgage& loan,
                                                       const TMorvaneInstallmentFee& fee,
                                                       TDate chargeDate, Currency outstanding) {
    std::unique_ptr<TMorvaneFeeTransaction> charge = MakeItem<TMorvaneFeeTransaction>(&loan);
    charge->TransactionDate = chargeDate;
    charge->FeeDescription = "Instalment Fee - " + fee.FeeDescription;
    charge->FeeAmount = outstanding;
    charge->FeeNumber = TakeNextFeeNumber(loan);
    return *loan.FeeTransactions->Add(std::move(charge));
}

void SwapInstalmentFeePriorities(TMorvaneMortgage& loan, TMorvaneInstallmentFee& first,
                                 TMorvaneInstallmentFee& second) {
    if (first.Owner() != &loan || second.Owner() != &loan)
        throw InternalError("An instalment fee of another loan cannot change places.");
    std::swap(first.Priority, second.Priority);
    loan.InstallmentFees->Sort();
    SetDataModified(true);
}

int TakeNextFeeNumber(TMorvaneMortgage& loan) {
    return ++loan.LastFeeNumber;
}

} // namespace duebell
