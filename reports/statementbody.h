// The statement of account of one period, drawn on a client form from the loan's daily ledger:
// the period's line and the account summary (current rate, payment amount, when payments are
// due), a table with the opening balance and one row per movement of the period (its type code,
// debit, credit or rate, and the day's balance after its last movement), the four totals, the
// key of the terms and the closing paragraph. The figures are the ledger's; the statement only
// adds them up.
//
// Paper coordinates in millimetres. The table's rows stand 5 mm apart from 165 mm, shaded in
// turn; a row that would pass 260 mm starts a new page whose table repeats the column heads.
#pragma once

#include "objectlist/currency.h"

#include <string>

namespace duebell {

class TMorvaneContract;
class TMorvaneLocalTransactionDay;
class TMorvaneMortgage;
class TfmCustomPrintedReport;
struct TStatementPeriod;

// The period's sums of the movements, by kind.
struct TStatementTotals {
    Currency LoanPayments;
    Currency Interest;
    Currency Fees; // instalment and arrears administration fees
    Currency FeePayments;
    Currency FullFees;
    Currency FullFeePayments;
};

// When payments fall due: "Weekly", "Fortnightly", "12th of the Month" (the possession day),
// or nothing for another payment period.
std::string StatementDueText(const TMorvaneContract& contract);
// The payment on the day: the contract instalment and every instalment fee charged with it.
Currency StatementPaymentAmount(const TMorvaneMortgage& mortgage,
                                const TMorvaneLocalTransactionDay& day);

// The period line, the account summary, the column heads and the opening row.
void DrawStatementHeader(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage,
                         const TStatementPeriod& period);
// The whole statement after the frame (header included); gives the totals it printed.
TStatementTotals DrawStatementBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage,
                                   const TStatementPeriod& period);

} // namespace duebell
