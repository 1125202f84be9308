#include "domain/daynumber.h"
#include "domain/loantransactions.h"

namespace duebell {

// Payments count by their date part: one made in the afternoon of the day counts on that day.
Currency TMorvaneFeeTransaction::BalanceAt(TDate date) const {
    const TDayNumber through = DayOf(date);
    Currency balance = FeeAmount;
    for (TTovObjectItem* item : *FeePayments) {
        const auto* payment = static_cast<const TMorvaneFeePayment*>(item);
        if (DayOf(payment->TransactionDate) > through) {
            break;
        }
        balance -= payment->FeePaymentAmount;
    }
    return balance;
}

} // namespace duebell
