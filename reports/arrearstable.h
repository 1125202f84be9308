// The "Arrears Details" table of the loan notices: what the borrower must pay on a day to be
// on schedule, from the loan's daily ledger: the arrears administration fees still owed, the
// loan's arrears (never below zero) and the total, which adds the instalment-fee arrears. A
// payment pays the fees first, so the total is all that comes before the loan's arrears and
// those arrears.
#pragma once

#include "objectlist/currency.h"

#include <optional>

namespace duebell {

class TMorvaneMortgage;
class TfmCustomPrintedReport;

// The figures of the table for a day, each to the cent as it prints.
struct TArrearsDetails {
    Currency AdminFees; // charged up to the day and not yet paid; no row when nothing
    Currency Arrears;   // how far the loan is behind its schedule, never below zero
    Currency Total;     // the two and the instalment-fee arrears
};

// The table's figures; nothing when the loan's ledger has no such day.
std::optional<TArrearsDetails> ArrearsDetailsOn(const TMorvaneMortgage& mortgage, double date);

// Whether the loan is not in arrears on the day: no ledger day, or less than a cent behind its
// schedule, as the alert rules see it. What it then owes (instalment fees charged ahead of
// their payment date) is no arrears to send a notice about.
bool NoArrearsOn(const TMorvaneMortgage& mortgage, double date);

// Draws the table on the form's current page, its title 25 mm below `y` (paper coordinates,
// millimetres) and its total 60 mm below; nothing when the ledger has no such day. Afterwards
// the canvas is at 10 point, not bold, not underlined, in the coordinate base it had.
void DrawArrearsTable(const TMorvaneMortgage& mortgage, TfmCustomPrintedReport& form, double y,
                      double date);

} // namespace duebell
