#include "domain/ledgerinputs.h"

#include "domain/configuration.h"
#include "domain/feedates.h"
#include "domain/mortgage.h"

#include <algorithm>

namespace duebell {

namespace {

const std::string AdminFeePrefix = "Arrears Admin Fee - ";
const std::string FeePaymentPrefix = "Payment - ";

template <class T, class F> void ForEachRecord(const TTovObjectList& list, F visit) {
    for (TTovObjectItem* item : list) {
        visit(*static_cast<T*>(item));
    }
}

void SortByDate(std::vector<TLedgerInputs::Entry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.Date < b.Date; });
}

} // namespace

const TMorvaneMortgageRate* FindMortgageRates(const TMorvaneMortgage& loan,
                                              const TMorvaneConfiguration* configuration) {
    if (configuration == nullptr || loan.LoanNumber.empty()) {
        return nullptr;
    }
    return static_cast<const TMorvaneMortgageRate*>(
        configuration->MortgageRates->LocateNoMove(Variant(loan.LoanNumber)));
}

TLedgerInputs GatherLedgerInputs(TMorvaneMortgage& loan, const TMorvaneConfiguration* configuration,
                                 const TBusinessCalendar& calendar,
                                 const TMorvaneMortgageRate* rates) {
    TLedgerInputs inputs;
    ForEachRecord<TMorvaneLoanTransaction>(*loan.LoanTransactions, [&](auto& payment) {
        inputs.Payments.push_back({DayOf(payment.TransactionDate), payment.TransactionAmount,
                                   payment.PaymentType, payment.DateAdded.value});
    });
    ForEachRecord<TMorvaneAdminFeeTransaction>(*loan.AdminFeeTransactions, [&](auto& fee) {
        inputs.AdminFees.push_back({DayOf(fee.TransactionDate), fee.FeeAmount,
                                    AdminFeePrefix + fee.FeeDescription, fee.DateAdded.value});
    });
    ForEachRecord<TMorvaneFeeTransaction>(*loan.FeeTransactions, [&](auto& fee) {
        const TDayNumber feeDate = DayOf(fee.TransactionDate);
        inputs.FullFees.push_back(
            {feeDate, fee.FeeAmount, fee.FeeDescription, fee.DateAdded.value});
        // A payment dated before its fee is never met: the day's walk over the fees stops at
        // the first fee dated after the day.
        ForEachRecord<TMorvaneFeePayment>(*fee.FeePayments, [&](auto& payment) {
            const TDayNumber paid = DayOf(payment.TransactionDate);
            if (paid >= feeDate) {
                inputs.FullFeePayments.push_back({paid, payment.FeePaymentAmount,
                                                  FeePaymentPrefix + fee.FeeDescription,
                                                  payment.DateAdded.value});
            }
        });
    });
    for (auto* entries :
         {&inputs.Payments, &inputs.AdminFees, &inputs.FullFees, &inputs.FullFeePayments}) {
        SortByDate(*entries);
    }

    ForEachRecord<TMorvaneInstallmentFee>(*loan.InstallmentFees, [&](auto& fee) {
        const TDayNumber first = InstalmentFeeFirstPaymentDate(fee, loan, configuration);
        const TDayNumber last = InstalmentFeeLastPaymentDate(fee, loan, first, calendar);
        inputs.InstalmentFees.push_back({&fee, static_cast<double>(first),
                                         static_cast<double>(last), fee.StopLastPaymentDate.value,
                                         Currency::fromDouble(fee.PaymentAmount)});
    });

    if (rates != nullptr) {
        ForEachRecord<TMorvaneRateChange>(*rates->RateChanges, [&](auto& change) {
            inputs.RateChanges.push_back({RateChangeEffectiveFrom(change, loan), &change});
        });
        auto& changes = inputs.RateChanges;
        std::stable_sort(changes.begin(), changes.end(), [](const auto& a, const auto& b) {
            return a.EffectiveFrom < b.EffectiveFrom;
        });
        changes.erase(std::unique(changes.begin(), changes.end(),
                                  [](const auto& a, const auto& b) {
                                      return a.EffectiveFrom == b.EffectiveFrom;
                                  }),
                      changes.end());
    }
    return inputs;
}

} // namespace duebell
