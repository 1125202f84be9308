// The print settings of a preview and the print job that puts its pages on paper through a
// QPrinter (a CUPS printer, or a PDF file when an output file is named): per-page
// orientation, one, two or four pages per sheet, and the printer's unprintable margins.
#pragma once

#include "print/canvas.h"
#include "print/page.h"

#include <QPainter>
#include <QPointF>
#include <QPrinter>
#include <functional>
#include <memory>

namespace duebell {

// How a print job ended, as Print tells its caller.
enum class TPqPrintResult {
    Printed,   // every page went to the printer or the file
    Cancelled, // the user cancelled the print dialog: nothing printed
    NoPrinter, // no printer and no output file (the message sink said so): nothing printed
    Failed,    // the printer could not start the job (the message sink said so)
    Aborted,   // stopped part-way: Cancel pressed in the progress, or Abort
    Refused,   // a job of this preview was printing already
};

class TPqPrinter : public TPqPrinterMarginsSource {
public:
    // Reads the settings of the system's default printer.
    TPqPrinter();
    TPqPrinter(const TPqPrinter&) = delete;
    TPqPrinter& operator=(const TPqPrinter&) = delete;

    QPrinter& Device() { return *device_; }

    // Kept and handed on, though Qt offers no way to apply them.
    TPqDitherType DitherType = pqNone;
    TPqPrintQuality PrintQuality = pqMedium;

    TPqDuplexType Duplex = pqSimplex;
    TPqPrintColor PrintColor = pqColor;
    int PrintCopies() const { return copies_; }
    // Values below 1 are ignored.
    void SetPrintCopies(int copies);
    bool Collate = false;
    TPqOrientation Orientation = pqPortrait;
    TPqPaperSize PaperSize = TPqPaperSize::A4;
    int PaperBin = 0; // QPrinter::PaperSource
    TPqPagesPerSheet PagesPerSheet = pqOnePage;
    bool ReversePrintOrder = true;
    // Shows a print dialog before each job, where the user picks the printer or a PDF file.
    bool ShowPrintDialog = true;
    std::string Title = "<document>";
    // PDF output into this file instead of the printer, when not empty.
    QString OutputFileName;
    // This printer's own print dialog; when empty the process-wide one of printdialog.h runs.
    // False cancels the job.
    std::function<bool(QPrinter&)> PrintDialog;

    // From the device into the settings, and back.
    void ReadSettings();
    void WriteSettings();

    // Asks for the printer (or file) now, ahead of the job, when ShowPrintDialog is set, and
    // keeps the user's choice for the next BeginDoc, which then asks nothing: for a caller
    // that must know where the job goes before it makes the document. False when there is
    // nowhere to print: the dialog was cancelled, or no printer and no file (the message sink
    // said so).
    bool ChooseDevice();
    // Starts the job, after the print dialog when ShowPrintDialog is set: Printed when the job
    // is open for its pages (Printing() is then true), otherwise why it did not start. With
    // nowhere to print, the message sink says so.
    TPqPrintResult BeginDoc();
    // Between two pages: a new sheet when the sheet is full, turned for 'orientation' when
    // printing one page per sheet.
    void NewPage(TPqOrientation orientation);
    // Ends the job; an aborted job is ended too, so a later one can print.
    void EndDoc();
    void Abort() { aborted_ = true; }
    bool Aborted() const { return aborted_; }
    bool Printing() const { return printing_; }
    int SheetPageCounter() const { return sheetPageCounter_; }
    double Scale() const { return scale_; }

    // Prints the page at the current place on the sheet: printable objects, header, footer.
    void PrintPage(const TPqPage& page, double now);

    // Inches between each paper edge and the printable area.
    InchRect PrinterMargins() const override;

private:
    // The print dialog when ShowPrintDialog is set, then the check that there is somewhere to
    // print: Printed when there is.
    TPqPrintResult RunDialog();
    bool HasPrinter() const;
    QPageLayout::Orientation DeviceOrientation() const;
    void TurnDevice(QPageLayout::Orientation orientation);
    QSizeF SheetPixels() const;

    std::unique_ptr<QPrinter> device_;
    std::unique_ptr<QPainter> painter_;
    int copies_ = 1;
    bool printing_ = false;
    bool aborted_ = false;
    bool orientationSwapped_ = false;
    int sheetPageCounter_ = 0;
    double scale_ = 1;
    TPqPagesPerSheet jobPagesPerSheet_ = pqOnePage;
    QPointF sheetOrigin_;
};

} // namespace duebell
