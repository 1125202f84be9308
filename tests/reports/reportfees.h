// Full fees for the report tests: fee types with their notice periods and fees charged to a
// loan of the ReportBook, with payments against them.
#pragma once

#include "domain/configuration.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "objectlist/currency.h"
#include "objectlist/datetime.h"

#include <string>

namespace duebell::test {

inline void AddFeeType(TMorvaneConfiguration& configuration, const std::string& description,
                       int noticePeriod) {
    auto type = MakeItem<TMorvaneFeeConfiguration>(&configuration);
    type->FeeDescription = description;
    type->NoticePeriod = noticePeriod;
    configuration.FeeList->Add(std::move(type));
}

// A fee of whole dollars charged on the date; payments of whole dollars follow it.
inline TMorvaneFeeTransaction& AddFee(TMorvaneMortgage& loan, int number, double date,
                                      const std::string& description, int dollars) {
    auto fee = MakeItem<TMorvaneFeeTransaction>(&loan);
    fee->FeeNumber = number;
    fee->TransactionDate = TDate(date);
    fee->FeeDescription = description;
    fee->FeeAmount = Currency::fromUnits(dollars);
    return *loan.FeeTransactions->Add(std::move(fee));
}

inline void AddFeePayment(TMorvaneFeeTransaction& fee, double date, int dollars) {
    auto payment = MakeItem<TMorvaneFeePayment>(&fee);
    payment->TransactionDate = TDateTime(date);
    payment->FeePaymentAmount = Currency::fromUnits(dollars);
    fee.FeePayments->Add(std::move(payment));
}

} // namespace duebell::test
