// The payment calculator of a loan's contract: the instalment that repays the contract amount
// less the deposit over the term at the reference rate plus the spread. Nothing is stored; the
// contract frame shows the result unrounded and its field shows it to the cent.
#pragma once

namespace duebell {

struct TPaymentCalculation {
    double ContractAmount = 0;
    double Deposit = 0;
    double ReferenceRate = 0; // per cent a year
    double RateSpread = 0;    // per cent a year
    int PaymentPeriod = 0;    // position in PaymentPeriodNames
    double TermYears = 0;
};

// Payments over the term: years times payments a year, rounded half to even. An unknown
// payment period raises "Internal error.  Unknown frequency".
int NumberOfPayments(int paymentPeriod, double termYears);

// r / (1 - (1 + r)^-n) x principal, with r the total rate per payment period. At a total rate
// of 0 the principal is shared evenly over the payments; with no payments there is none to make
// (0).
double CalculatePayment(const TPaymentCalculation& terms);

} // namespace duebell
