#include "reports/paymentchangenotice.h"

#include "app/framework/modalrunner.h"
#include "app/framework/windowregistry.h"
#include "controls/modalresult.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/exceptions.h"
#include "reports/paymentchangebody.h"
#include "reports/printedform.h"

namespace duebell {

namespace {

std::unique_ptr<TfmReportPaymentChange> NoticeFor(const TMorvaneMortgage* mortgage) {
    auto notice = CreateReport<TfmReportPaymentChange>();
    notice->SelectMortgage(mortgage);
    return notice;
}

} // namespace

std::string TfmReportPaymentChange::ReportTitle() const {
    return "Notice of Payment Change";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmReportPaymentChange::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomClientReport>(preview);
}

void TfmReportPaymentChange::DrawBody(TfmCustomPrintedReport& form) {
    if (Mortgage() == nullptr)
        throw InternalError("A notice was drawn without its loan.");
    DrawPaymentChangeBody(form, *Mortgage());
}

bool TfmReportPaymentChange::ValidateParameters() {
    if (!TfmCustomReport::ValidateParameters())
        return false;
    if (Mortgage() != nullptr && !Mortgage()->LedgerHoldsTodayAndYesterday()) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "Could not find internal records for the effective date "
                              "specified.  Please select another day.\n\nLoan " +
                                  Mortgage()->LoanNumber +
                                  " has no ledger record for today or yesterday.");
        return false;
    }
    return true;
}

int TfmReportPaymentChange::ShowForMortgage(const TMorvaneMortgage* mortgage) {
    const std::unique_ptr<TfmReportPaymentChange> notice = NoticeFor(mortgage);
    return ExecModal(*notice);
}

bool TfmReportPaymentChange::PrintForMortgage(const TMorvaneMortgage* mortgage) {
    return NoticeFor(mortgage)->btnPrintClick();
}

OpenedWindow OpenPaymentChangeNotice(const WindowRequest& request) {
    const TMorvaneMortgage* mortgage = nullptr;
    if (!request.loanNumber.empty() && Data() != nullptr)
        mortgage = Data()->FindMortgage(request.loanNumber);
    OpenedWindow opened;
    if (request.printWithoutPreview)
        opened.modalResult = TfmReportPaymentChange::PrintForMortgage(mortgage) ? mrOk : mrCancel;
    else
        opened.modalResult = TfmReportPaymentChange::ShowForMortgage(mortgage);
    return opened;
}

} // namespace duebell
