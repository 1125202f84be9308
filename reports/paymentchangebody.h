// The body of the Notice of Payment Change: what changed today (the "Change Indicator" table:
// the interest rate, the arrears administration fee, the instalment fees) and what the
// borrower pays from each date on which the repayment changes (the "Repayment Breakdown"
// table: up to five columns, today's first, with the reference and annual rates, the loan's
// instalment, every instalment fee and the total). The letter always runs to two pages: the
// fee amount, the note and the signature stand on the second.
#pragma once

namespace duebell {

class TMorvaneMortgage;
class TfmCustomPrintedReport;

// Draws the body for today on a client form framed already. A loan whose ledger lacks today
// or yesterday gets an error message and no body.
void DrawPaymentChangeBody(TfmCustomPrintedReport& form, const TMorvaneMortgage& mortgage);

} // namespace duebell
