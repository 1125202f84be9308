// What the lender does with a Duebell (an alert): print the notice or statement it calls for,
// in the report window of its type and stage with its loan (and statement or fee) chosen, or
// clear it for good.
#pragma once

#include "app/framework/windowregistry.h"

#include <optional>
#include <string>

namespace duebell {

class TMorvaneAlert;
class TMorvaneData;

inline constexpr const char* AlertActionQuestion =
    "Please choose an action for this alert.  Selecting \"Print\" will take you to the "
    "appropriate report screen.  Selecting \"Clear\" will permanently remove this alert from "
    "the alert list.";

// A report window by class name and what it is to choose when it opens.
struct AlertReport {
    std::string className;
    WindowRequest request;
};

// The report for the alert: a statement alert opens the statement with its loan and
// statement, a loan or fee arrears alert the notice of its stage (a fee's with its fee
// number), a payment change or payout alert that notice. A stage without a notice has none.
std::optional<AlertReport> ReportForAlert(const TMorvaneAlert& alert);

// Opens the alert's report through the window registry; nothing when it has none.
void PrintAlert(const TMorvaneAlert& alert);

// Moves a current alert of the book to its cleared alerts and marks the book modified; when
// no current alert remains, the book has no alerts any more.
void ClearCurrentAlert(TMorvaneData& book, const TMorvaneAlert& alert);

} // namespace duebell
