// The "Arrears Details" table of the loan notices: what the borrower owes on a day, from the
// loan's daily ledger: the arrears administration fee charged that day, the loan's arrears
// (never below zero) and the total with the day's instalment-fee arrears.
#pragma once

#include "objectlist/currency.h"

#include <optional>

namespace duebell {

class TMorvaneAdminFeeTransaction;
class TMorvaneMortgage;
class TfmCustomPrintedReport;

// The figures of the table for a day.
struct TArrearsDetails {
    const TMorvaneAdminFeeTransaction* AdminFee = nullptr; // charged that day, if any
    Currency Arrears;                                      // the loan's, never below zero
    Currency Total;
};

// The table's figures; nothing when the loan's ledger has no such day.
std::optional<TArrearsDetails> ArrearsDetailsOn(const TMorvaneMortgage& mortgage, double date);

// Whether the loan owes nothing on the day: no ledger day, or a total that prints as $0.00. Its
// arrears are those the alert rules see: less than a cent behind is on schedule.
bool NoArrearsOn(const TMorvaneMortgage& mortgage, double date);

// Draws the table on the form's current page, its title 25 mm below `y` (paper coordinates,
// millimetres) and its total 60 mm below; nothing when the ledger has no such day. Afterwards
// the canvas is at 10 point, not bold, not underlined, in the coordinate base it had.
void DrawArrearsTable(const TMorvaneMortgage& mortgage, TfmCustomPrintedReport& form, double y,
                      double date);

} // namespace duebell
