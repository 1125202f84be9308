// The report dialog's side that meets the print library: its document, previewed or printed.
// (Kept apart from the dialog's widgets: the controls and the print library each name their
// own text alignment.)
#include "app/framework/modalrunner.h"
#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "domain/prompt.h"
#include "domain/questions.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "print/previewmodel.h"
#include "print/printer.h"
#include "reports/customreport.h"
#include "reports/printedform.h"
#include "reports/printedreportwindow.h"
#include "reports/reportconfiguration.h"

namespace duebell {

std::string TfmCustomReport::ReportTitle() const {
    return "Report Title";
}

std::unique_ptr<TfmCustomPrintedReport>
TfmCustomReport::PrintedFormClass(TPqPreviewModel& preview) const {
    return std::make_unique<TfmCustomPrintedReport>(preview);
}

void TfmCustomReport::DrawBody(TfmCustomPrintedReport&) {}

void TfmCustomReport::btnPreviewClick() {
    if (!ValidateParameters())
        return;
    TfmPrintedReportWindow window;
    BuildDocument(*this, window.Preview());
    window.setWindowTitle(QString::fromStdString(ReportTitle()));
    window.OnPrinted = [this] { DocumentPrinted(); };
    ExecModal(window);
}

bool TfmCustomReport::btnPrintClick() {
    return ValidateParameters() && PrintDocument();
}

bool TfmCustomReport::PrintDocument() {
    if (PrintReport(*this) != TPqPrintResult::Printed)
        return false;
    DocumentPrinted();
    return true;
}

bool TfmCustomReport::PrintOfferingArrearsFee(const std::string& feeDescription) {
    if (!ValidateParameters())
        return false;
    if (mortgage_ == nullptr)
        throw InternalError("A notice was printed without its loan.");
    // Where the letter goes is settled before anything is charged.
    TPqPreviewModel preview;
    if (!preview.Printer().ChooseDevice())
        return false;
    bool charged = false;
    try {
        charged = ApplyArrearsAdminFee(*mortgage_, feeDescription);
    } catch (const EAbort&) {
        return false;
    }
    feeChargedFor_ = charged ? ChargeSubject() : std::string();
    BuildDocument(*this, preview);
    if (preview.Print() == TPqPrintResult::Printed) {
        DocumentPrinted();
        return true;
    }
    if (charged)
        CurrentPrompter().Ask(
            PromptType::Error, PromptButtons::Ok,
            "The arrears administration fee of " +
                FormatMoneyText(LoadedConfiguration().AdminFeeAmountAt(TDate(Date()))) +
                " has been charged to loan " + mortgage_->LoanNumber + ", but the " +
                ReportTitle() + " did not print.");
    return false;
}

} // namespace duebell
