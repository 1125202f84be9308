#include "domain/feedates.h"

#include "domain/calendar.h"
#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/recordowners.h"
#include "domain/schedule.h"

namespace duebell {

namespace {

const TMorvaneFeeConfiguration* FindFeeType(const TMorvaneConfiguration* configuration,
                                            const std::string& description) {
    if (configuration == nullptr) {
        return nullptr;
    }
    for (TTovObjectItem* item : *configuration->FeeList) {
        const auto* feeType = static_cast<const TMorvaneFeeConfiguration*>(item);
        if (feeType->FeeDescription == description) {
            return feeType;
        }
    }
    return nullptr;
}

bool HasSchedule(const TMorvaneMortgage& loan) {
    return loan.Contract->PaymentPeriodIndex() >= 0;
}

} // namespace

TDayNumber FeeEffectiveFrom(const TMorvaneFeeTransaction& fee,
                            const TMorvaneConfiguration* configuration,
                            const TBusinessCalendar& calendar) {
    const TMorvaneFeeConfiguration* feeType = FindFeeType(configuration, fee.FeeDescription);
    if (feeType == nullptr) {
        return DayOf(fee.TransactionDate);
    }
    return calendar.NextBusinessDay(DaysFrom(DayOf(fee.TransactionDate), feeType->NoticePeriod));
}

TDayNumber InstalmentFeeFirstPaymentDate(const TMorvaneInstallmentFee& fee,
                                         const TMorvaneMortgage& loan,
                                         const TMorvaneConfiguration* configuration) {
    if (fee.FeeDescription == ArrearsAdministrationFee || !HasSchedule(loan)) {
        return 0;
    }
    const int noticePeriod =
        configuration != nullptr ? configuration->SystemConfiguration->InstallmentFeePeriod : 0;
    return AdvanceToDate(loan.Contract->PaymentPeriodIndex(),
                         DaysFrom(DayOf(fee.TransactionDate), noticePeriod),
                         DayOf(loan.Contract->PossessionDate));
}

TDayNumber InstalmentFeeLastPaymentDate(const TMorvaneInstallmentFee& fee,
                                        const TMorvaneMortgage& loan, TDayNumber firstPaymentDate,
                                        const TBusinessCalendar& calendar) {
    if (firstPaymentDate <= 0 || !HasSchedule(loan)) {
        return 0;
    }
    return NthPaymentDate(loan.Contract->PaymentPeriodIndex(), fee.NumberOfPayments,
                          firstPaymentDate, calendar);
}

TDayNumber RateChangeEffectiveFrom(const TMorvaneRateChange& change, const TMorvaneMortgage& loan) {
    if (!HasSchedule(loan)) {
        return 0;
    }
    return DaysFrom(AdvanceToDate(loan.Contract->PaymentPeriodIndex(),
                                  DaysFrom(DayOf(change.TransactionDate), loan.RateChangePeriod),
                                  DayOf(loan.Contract->PossessionDate)),
                    1);
}

// The computed properties, on the loaded configuration.

TDate TMorvaneFeeTransaction::EffectiveFrom() const {
    const TMorvaneConfiguration* configuration = Configuration();
    return AsDate(FeeEffectiveFrom(*this, configuration, TBusinessCalendar(configuration)));
}

TDate TMorvaneInstallmentFee::FirstPaymentDate() const {
    const TMorvaneMortgage* loan = FindOwner<TMorvaneMortgage>(*this);
    if (loan == nullptr) {
        return TDate();
    }
    return AsDate(InstalmentFeeFirstPaymentDate(*this, *loan, Configuration()));
}

TDate TMorvaneInstallmentFee::LastPaymentDate() const {
    const TMorvaneMortgage* loan = FindOwner<TMorvaneMortgage>(*this);
    if (loan == nullptr) {
        return TDate();
    }
    const TMorvaneConfiguration* configuration = Configuration();
    return AsDate(InstalmentFeeLastPaymentDate(
        *this, *loan, InstalmentFeeFirstPaymentDate(*this, *loan, configuration),
        TBusinessCalendar(configuration)));
}

TDate TMorvaneRateChange::EffectiveFrom() const {
    const auto* rates = FindOwner<TMorvaneMortgageRate>(*this);
    const TMorvaneMortgage* loan = rates != nullptr ? rates->Mortgage() : nullptr;
    if (loan == nullptr) {
        return TDate();
    }
    return AsDate(RateChangeEffectiveFrom(*this, *loan));
}

} // namespace duebell
