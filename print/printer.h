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
    bool ShowPrintDialog = true;
    std::string Title = "<document>";
    // PDF output into this file instead of the printer, when not empty.
    QString OutputFileName;
    // A print dialog run before the job when ShowPrintDialog is set; false cancels.
    std::function<bool(QPrinter&)> PrintDialog;

    // From the device into the settings, and back.
    void ReadSettings();
    void WriteSettings();

    // Starts the job; Printing() tells whether it started.
    void BeginDoc();
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
