#include "reports/reportbuild.h"

#include "print/pdfoutput.h"
#include "print/previewmodel.h"
#include "print/printer.h"
#include "reports/printedform.h"

namespace duebell {

void BuildDocument(TReportSource& report, TPqPreviewModel& preview) {
    const std::unique_ptr<TfmCustomPrintedReport> form = report.PrintedFormClass(preview);
    form->Mortgage = report.ReportMortgage();
    form->Title = report.ReportTitle();
    form->RenderFrame();
    report.DrawBody(*form);
    preview.SetCurrentPage(1);
    preview.Printer().Title = form->Title;
}

bool WriteReportPdf(TReportSource& report, const QString& fileName) {
    TPqPreviewModel preview;
    BuildDocument(report, preview);
    return WritePdf(preview.Pages(), fileName, QString::fromStdString(report.ReportTitle()));
}

TPqPrintResult PrintReport(TReportSource& report) {
    TPqPreviewModel preview;
    BuildDocument(report, preview);
    return preview.Print();
}

} // namespace duebell
