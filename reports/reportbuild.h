// How every report builds its document, with no window: a fresh printed form of the report's
// kind on a preview, its frame, the report's body, page 1 current. The document is then shown
// (the preview window), printed or written as PDF. A report dialog is a TReportSource; so may
// be anything else that knows a title, a kind of form and a body.
#pragma once

#include <QString>
#include <memory>
#include <string>

namespace duebell {

class TMorvaneMortgage;
class TPqPreviewModel;
class TfmCustomPrintedReport;
enum class TPqPrintResult; // print/printer.h

class TReportSource {
public:
    virtual ~TReportSource() = default;

    // The document's title: the letterhead's heading, the footer's left caption, the job's name.
    virtual std::string ReportTitle() const = 0;
    // A new printed form of the report's kind, drawing on the preview.
    virtual std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const = 0;
    // The body, after the frame: the canvas is at 10 point, not bold, from the paper's corner.
    virtual void DrawBody(TfmCustomPrintedReport& form) = 0;
    // The loan the document is about; nothing for a report about none.
    virtual TMorvaneMortgage* ReportMortgage() const = 0;
};

// Builds the report's document on the preview (which should hold nothing yet). Checking the
// report's parameters is the caller's part.
void BuildDocument(TReportSource& report, TPqPreviewModel& preview);

// Builds the document on a preview of its own and writes it as a PDF file, replaced only once
// complete; false when the file cannot be written.
bool WriteReportPdf(TReportSource& report, const QString& fileName);

// Builds the document on a preview of its own and prints it (the print dialog first).
TPqPrintResult PrintReport(TReportSource& report);

} // namespace duebell
