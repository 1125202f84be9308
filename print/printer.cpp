#include "print/printer.h"

#include "print/messages.h"
#include "print/pagerender.h"
#include "print/printdialog.h"

#include <QPageLayout>
#include <QPageSize>

namespace duebell {

namespace {

QPageSize::PageSizeId PageSizeId(TPqPaperSize paper) {
    switch (paper) {
    case TPqPaperSize::A3:
        return QPageSize::A3;
    case TPqPaperSize::A4:
        return QPageSize::A4;
    case TPqPaperSize::A5:
        return QPageSize::A5;
    case TPqPaperSize::A6:
        return QPageSize::A6;
    case TPqPaperSize::B5:
        return QPageSize::B5;
    case TPqPaperSize::C5:
        return QPageSize::C5E;
    case TPqPaperSize::Legal:
        return QPageSize::Legal;
    case TPqPaperSize::Letter:
        return QPageSize::Letter;
    case TPqPaperSize::Custom:
        break;
    }
    return QPageSize::Custom;
}

TPqPaperSize PaperOf(QPageSize::PageSizeId id) {
    for (auto paper :
         {TPqPaperSize::A3, TPqPaperSize::A4, TPqPaperSize::A5, TPqPaperSize::A6, TPqPaperSize::B5,
          TPqPaperSize::C5, TPqPaperSize::Legal, TPqPaperSize::Letter})
        if (PageSizeId(paper) == id)
            return paper;
    return TPqPaperSize::Custom;
}

QPageLayout::Orientation ToQt(TPqOrientation orientation) {
    return orientation == pqLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

TPqPrinter::TPqPrinter() : device_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Pages are drawn from the paper's corner, as they are laid out.
    device_->setFullPage(true);
    ReadSettings();
}

void TPqPrinter::SetPrintCopies(int copies) {
    if (copies >= 1)
        copies_ = copies;
}

void TPqPrinter::ReadSettings() {
    Collate = device_->collateCopies();
    switch (device_->duplex()) {
    case QPrinter::DuplexLongSide:
        Duplex = pqVertDuplex;
        break;
    case QPrinter::DuplexShortSide:
        Duplex = pqHorzDuplex;
        break;
    default:
        Duplex = pqSimplex;
        break;
    }
    Orientation =
        device_->pageLayout().orientation() == QPageLayout::Landscape ? pqLandscape : pqPortrait;
    PaperSize = PaperOf(device_->pageLayout().pageSize().id());
    PrintColor = device_->colorMode() == QPrinter::Color ? pqColor : pqMonochrome;
    SetPrintCopies(device_->copyCount());
    PaperBin = device_->paperSource();
}

void TPqPrinter::WriteSettings() {
    device_->setCollateCopies(Collate);
    device_->setDuplex(Duplex == pqVertDuplex   ? QPrinter::DuplexLongSide
                       : Duplex == pqHorzDuplex ? QPrinter::DuplexShortSide
                                                : QPrinter::DuplexNone);
    device_->setPageOrientation(ToQt(Orientation));
    if (PaperSize != TPqPaperSize::Custom)
        device_->setPageSize(QPageSize(PageSizeId(PaperSize)));
    device_->setColorMode(PrintColor == pqColor ? QPrinter::Color : QPrinter::GrayScale);
    device_->setCopyCount(copies_);
    device_->setPaperSource(static_cast<QPrinter::PaperSource>(PaperBin));
    if (!OutputFileName.isEmpty()) {
        device_->setOutputFormat(QPrinter::PdfFormat);
        device_->setOutputFileName(OutputFileName);
    } else {
        // No file named: back to the printer, so paper never lands in the last job's PDF.
        device_->setOutputFileName(QString());
        device_->setOutputFormat(QPrinter::NativeFormat);
    }
}

bool TPqPrinter::HasPrinter() const {
    if (!device_->outputFileName().isEmpty())
        return true;
    return device_->outputFormat() == QPrinter::NativeFormat && device_->isValid() &&
           !device_->printerName().isEmpty();
}

QPageLayout::Orientation TPqPrinter::DeviceOrientation() const {
    return device_->pageLayout().orientation();
}

void TPqPrinter::TurnDevice(QPageLayout::Orientation orientation) {
    device_->setPageOrientation(orientation);
    Orientation = orientation == QPageLayout::Landscape ? pqLandscape : pqPortrait;
}

QSizeF TPqPrinter::SheetPixels() const {
    return device_->paperRect(QPrinter::DevicePixel).size();
}

TPqPrintResult TPqPrinter::RunDialog() {
    WriteSettings();
    // The dialog comes first: there the user may pick a printer, or a file where none exists.
    if (ShowPrintDialog && !(PrintDialog ? PrintDialog(*device_) : RunPrintDialog(*device_)))
        return TPqPrintResult::Cancelled;
    if (!HasPrinter()) {
        ShowPqError("TPqPrinter", "There is no printer to print on: no printer is installed "
                                  "and no output file was chosen.");
        return TPqPrintResult::NoPrinter;
    }
    return TPqPrintResult::Printed;
}

bool TPqPrinter::ChooseDevice() {
    if (RunDialog() != TPqPrintResult::Printed)
        return false;
    // The job's WriteSettings must give the device back what the user chose.
    ReadSettings();
    OutputFileName =
        device_->outputFormat() == QPrinter::PdfFormat ? device_->outputFileName() : QString();
    ShowPrintDialog = false;
    return true;
}

TPqPrintResult TPqPrinter::BeginDoc() {
    printing_ = true;
    aborted_ = false;
    if (TPqPrintResult ready = RunDialog(); ready != TPqPrintResult::Printed) {
        printing_ = false;
        return ready;
    }
    jobPagesPerSheet_ = PagesPerSheet;
    QSizeF sheet = SheetPixels();
    switch (jobPagesPerSheet_) {
    case pqOnePage:
        scale_ = 1;
        break;
    case pqTwoPage:
        scale_ = std::min(sheet.width() / sheet.height(), sheet.height() / sheet.width());
        TurnDevice(DeviceOrientation() == QPageLayout::Portrait ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
        orientationSwapped_ = true;
        break;
    case pqFourPage:
        scale_ = 0.5;
        break;
    }
    sheetPageCounter_ = 0;
    sheetOrigin_ = QPointF(0, 0);
    device_->setDocName(QString::fromStdString(Title));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(device_.get())) {
        painter_.reset();
        EndDoc();
        ShowPqError("TPqPrinter", "The printer could not start printing.");
        return TPqPrintResult::Failed;
    }
    return TPqPrintResult::Printed;
}

void TPqPrinter::NewPage(TPqOrientation orientation) {
    if (!printing_)
        return;
    ++sheetPageCounter_;
    const int counter = sheetPageCounter_;
    bool newSheet = jobPagesPerSheet_ == pqOnePage ||
                    (jobPagesPerSheet_ == pqTwoPage && counter % 2 == 0) ||
                    (jobPagesPerSheet_ == pqFourPage && counter % 4 == 0);
    if (newSheet) {
        // Several pages share a sheet only when all are turned alike; the sheet keeps its way.
        if (jobPagesPerSheet_ == pqOnePage && ToQt(orientation) != DeviceOrientation())
            TurnDevice(ToQt(orientation));
        device_->newPage();
    }
    QSizeF sheet = SheetPixels();
    double halfWidth = static_cast<int>(sheet.width() / 2);
    double halfHeight = static_cast<int>(sheet.height() / 2);
    switch (jobPagesPerSheet_) {
    case pqOnePage:
        sheetOrigin_ = QPointF(0, 0);
        break;
    case pqTwoPage:
        if (counter % 2 == 0)
            sheetOrigin_ = QPointF(0, 0);
        else if (DeviceOrientation() == QPageLayout::Portrait)
            sheetOrigin_ = QPointF(0, halfHeight);
        else
            sheetOrigin_ = QPointF(halfWidth, 0);
        break;
    case pqFourPage:
        sheetOrigin_ = QPointF(counter % 2 ? halfWidth : 0, counter % 4 >= 2 ? halfHeight : 0);
        break;
    }
}

void TPqPrinter::EndDoc() {
    if (painter_) {
        if (aborted_)
            device_->abort();
        painter_->end();
        painter_.reset();
    }
    if (orientationSwapped_) {
        TurnDevice(DeviceOrientation() == QPageLayout::Portrait ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
        orientationSwapped_ = false;
    }
    printing_ = false;
}

void TPqPrinter::PrintPage(const TPqPage& page, double now) {
    if (!printing_ || !painter_)
        return;
    TPqRenderTarget target;
    target.PixelsPerInchX = device_->resolution() * scale_;
    target.PixelsPerInchY = device_->resolution() * scale_;
    target.Origin = sheetOrigin_;
    target.Purpose = TPqRenderPurpose::Paper;
    target.Timestamp = now;
    RenderPage(*painter_, page, target);
}

InchRect TPqPrinter::PrinterMargins() const {
    // Each side's own unprintable strip, from the printer's page layout.
    QPageLayout layout = device_->pageLayout();
    layout.setUnits(QPageLayout::Point);
    QMarginsF margins = layout.minimumMargins();
    return {margins.left() / 72, margins.top() / 72, margins.right() / 72, margins.bottom() / 72};
}

} // namespace duebell
