#include "app/dialogs/noticeoffers.h"

#include "app/framework/windowregistry.h"
#include "domain/mortgage.h"
#include "domain/prompt.h"
#include "domain/questions.h"

#include <QWidget>

namespace duebell {

bool AskForPaymentChangeNotice() {
    return IsWindowRegistered(PaymentChangeNoticeWindow) && AskPrintPaymentChangeNotice();
}

void OpenPaymentChangeNotice(const TMorvaneMortgage& loan) {
    WindowRequest request;
    request.loanNumber = loan.LoanNumber;
    OpenWindow(PaymentChangeNoticeWindow, request);
}

void OfferFeeChargeNotice(const std::string& question, const TMorvaneMortgage& loan,
                          int feeNumber) {
    if (!IsWindowRegistered(FeeChargeNoticeWindow) || !AskYesNo(question))
        return;
    WindowRequest request;
    request.loanNumber = loan.LoanNumber;
    request.feeNumber = feeNumber;
    OpenWindow(FeeChargeNoticeWindow, request);
}

} // namespace duebell
