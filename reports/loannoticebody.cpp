#include "reports/loannoticebody.h"

#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "objectlist/clock.h"
#include "reports/arrearstable.h"
#include "reports/noticeletters.h"
#include "reports/printedform.h"
#include "reports/reportconfiguration.h"

namespace duebell {

namespace {

constexpr double BodyTop = 115;

} // namespace

std::string LoanNoticeTitle(TLoanNoticeStage stage) {
    switch (stage) {
    case TLoanNoticeStage::Arrears:
        return "Notice of Arrears";
    case TLoanNoticeStage::Default:
        return "Notice of Default";
    case TLoanNoticeStage::Termination:
        return "Notice of Termination";
    case TLoanNoticeStage::Vacate:
        break;
    }
    return "Notice to Vacate Property";
}

std::string LoanNoticeFeeDescription(TLoanNoticeStage stage) {
    switch (stage) {
    case TLoanNoticeStage::Arrears:
        return "Arrears";
    case TLoanNoticeStage::Default:
        return "Default";
    case TLoanNoticeStage::Termination:
        return "Termination";
    case TLoanNoticeStage::Vacate:
        break;
    }
    return "Vacate";
}

void DrawLoanNoticeBody(TfmCustomPrintedReport& form, TLoanNoticeStage stage,
                        const TMorvaneMortgage& mortgage, bool feeApplied) {
    const double today = Date();
    const TNoticeTerms terms(today, *LoadedConfiguration().SystemConfiguration);
    double y = BodyTop;
    switch (stage) {
    case TLoanNoticeStage::Arrears:
        DrawLoanArrearsLetter(form, y, terms);
        break;
    case TLoanNoticeStage::Default:
        DrawDefaultLetter(form, y, terms, mortgage.Contract->PaymentPeriod);
        break;
    case TLoanNoticeStage::Termination:
        DrawTerminationLetter(form, y, terms);
        break;
    case TLoanNoticeStage::Vacate:
        DrawVacateLetter(form, y, terms);
        break;
    }
    y += 50;
    DrawArrearsTable(mortgage, form, y, today);
    form.Canvas().Font().SetSize(10);
    form.Canvas().Font().SetStyle(0);
    y += 70;
    DrawNoticeClosing(form, y, feeApplied);
}

} // namespace duebell
