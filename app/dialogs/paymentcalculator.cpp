#include "app/dialogs/paymentcalculator.h"

#include "domain/periods.h"
#include "objectlist/exceptions.h"

#include <cmath>

namespace duebell {

namespace {

int PaymentsPerYear(int paymentPeriod) {
    if (paymentPeriod < 0 || paymentPeriod >= static_cast<int>(PeriodsPerYear.size()))
        throw InternalError("Unknown frequency");
    return PeriodsPerYear[static_cast<std::size_t>(paymentPeriod)];
}

} // namespace

int NumberOfPayments(int paymentPeriod, double termYears) {
    // nearbyint rounds half to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(termYears * PaymentsPerYear(paymentPeriod)));
}

double CalculatePayment(const TPaymentCalculation& terms) {
    const double principal = terms.ContractAmount - terms.Deposit;
    const int perYear = PaymentsPerYear(terms.PaymentPeriod);
    const int payments = NumberOfPayments(terms.PaymentPeriod, terms.TermYears);
    if (payments <= 0)
        return 0;
    const double rate = (terms.ReferenceRate + terms.RateSpread) / 100 / perYear;
    // 0 / 0 otherwise: without interest the principal is simply shared out.
    if (rate == 0)
        return principal / payments;
    return rate / (1 - std::pow(1 + rate, -payments)) * principal;
}

} // namespace duebell
