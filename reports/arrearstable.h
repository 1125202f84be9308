// The "Arrears Details" table of the loan notices: what the borrower owes on a day, from the
// loan's daily ledger: the arrears administration fee charged that day, the loan's arrears
// (never below zero) and the total with the day's instalment-fee arrears.
#pragma once

namespace duebell {

class TMorvaneMortgage;
class TfmCustomPrintedReport;

// Draws the table on the form's current page, its title 25 mm below `y` (paper coordinates,
// millimetres) and its total 60 mm below; nothing when the ledger has no such day. Afterwards
// the canvas is at 10 point, not bold, not underlined, in the coordinate base it had.
void DrawArrearsTable(const TMorvaneMortgage& mortgage, TfmCustomPrintedReport& form, double y,
                      double date);

} // namespace duebell
