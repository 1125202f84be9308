// The report dialog's side that meets the print library: its document, previewed or printed.
// (Kept apart from the dialog's widgets: the controls and the print library each name their
// own text alignment.)
#include "app/framework/modalrunner.h"
#include "print/previewmodel.h"
#include "print/printer.h"
#include "reports/customreport.h"
#include "reports/printedform.h"
#include "reports/printedreportwindow.h"

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

} // namespace duebell
