// The letter of the Notice of Payout: the sentence on the effective date, the "Payout Summary"
// (balance, fees, break costs and the payout figure), the "Payout Details" listing every
// allocated fee and break cost under their subtotals and the total, and the closing. Long fee
// or break-cost lists run on to further pages.
#pragma once

namespace duebell {

class TPayoutFigures;
class TfmCustomPrintedReport;

// Draws the body on a client form framed already, from the figures as they stand.
void DrawPayoutNoticeBody(TfmCustomPrintedReport& form, const TPayoutFigures& figures);

} // namespace duebell
