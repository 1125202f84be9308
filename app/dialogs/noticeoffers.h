// The notices a fee change offers to print. Notices are report windows, opened through the
// window registry with the loan (and the fee) chosen; the question about one is asked only
// while its window is registered, so no answer leads nowhere.
#pragma once

#include <string>

namespace duebell {

class TMorvaneMortgage;

inline constexpr const char* PaymentChangeNoticeWindow = "TfmReportPaymentChange";
inline constexpr const char* FeeChargeNoticeWindow = "TfmReportFullFees";

// "Would you like to print a payment change notice for this change?", asked while a change is
// checked; true on Yes. The notice opens once the change is stored and the loan rebuilt
// (OpenPaymentChangeNotice), so that it shows the change.
bool AskForPaymentChangeNotice();
void OpenPaymentChangeNotice(const TMorvaneMortgage& loan);
// The question (Yes and No); Yes opens the Notice of Fee Charge for the loan's fee of that
// number.
void OfferFeeChargeNotice(const std::string& question, const TMorvaneMortgage& loan, int feeNumber);

} // namespace duebell
