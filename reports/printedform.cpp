#include "reports/printedform.h"

#include "domain/configuration.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "print/units.h"
#include "reports/reportconfiguration.h"

namespace duebell {

namespace {

constexpr float MarginMillimetres = 20;
// The letterhead's band: 45 mm, as the inches the band keeps.
constexpr double LetterheadInches = 1.7716535;

void SetCaptionFonts(TPqHeaderFooter& band, int size) {
    for (TPqCaptionIndex index : {pqCaptionLeft, pqCaptionCenter, pqCaptionRight}) {
        TPqFont& font = band.GetCaption(index).Font();
        font.SetName("Arial");
        font.SetSize(size);
        font.SetColor(clBlack);
    }
}

void ShowBand(TPqHeaderFooter& band, int captionSize) {
    band.SetVisible(true);
    band.SetShowLine(false);
    SetCaptionFonts(band, captionSize);
}

void SetFont(TPqCanvas& canvas, int size, TFontStyles style) {
    canvas.Font().SetSize(size);
    canvas.Font().SetStyle(style);
}

} // namespace

TfmCustomPrintedReport::TfmCustomPrintedReport(TPqPreviewModel& preview) : preview_(preview) {
    preview_.SetPaperSize(TPqPaperSize::A4);
    preview_.SetOrientation(pqPortrait);
    TPqMarginValues& margins = preview_.Margins().Values();
    margins.SetValueMeasurement(pqMillimeters);
    margins.SetLeft(MarginMillimetres);
    margins.SetTop(MarginMillimetres);
    margins.SetRight(MarginMillimetres);
    margins.SetBottom(MarginMillimetres);
    for (TPqPen* pen : {&preview_.Margins().Pen(), &preview_.Margins().PrinterMarginPen()}) {
        pen->SetColor(clSilver);
        pen->SetStyle(psDot);
    }
    Canvas().SetCoordsRelativeTo(pqFromPage);
    preview_.SetMaxZoom(200);
    preview_.SetMinZoom(10);
    preview_.SetZoom(100);
    preview_.SetGutter(30);
    ShowBand(preview_.Header(), 12);
    ShowBand(preview_.Footer(), 8);
    preview_.Printer().SetPrintCopies(1);
    preview_.Printer().Collate = false;

    gridPrint_.SetPreview(&preview_);
    gridPrint_.Font().SetName("Arial");
    gridPrint_.Font().SetSize(8);
    gridPrint_.FixedCellFont().Assign(gridPrint_.Font());
    gridPrint_.GridOptions = pqFixedRowPerPage;

    preview_.OnNewPage = [this] { PqPreview1NewPage(); };
    // The first page is this form's own to frame (RenderFrame): hear it announced now, so
    // that no later announcement draws a second letterhead on it.
    preview_.Loaded();
}

TfmCustomPrintedReport::~TfmCustomPrintedReport() {
    preview_.OnNewPage = nullptr;
}

void TfmCustomPrintedReport::PqPreview1NewPage() {
    if (preview_.CurrentPage() >= 2) {
        DrawLetterhead();
        DrawFooter();
    }
}

void TfmCustomPrintedReport::RenderFrame() {
    TPqUpdateScope update(preview_);
    DrawLetterhead();
    DrawHeaderBlock();
    DrawFooter();
    AfterFrame();
}

void TfmCustomPrintedReport::TextOutCentred(const std::string& text, double y) {
    const double x = ConvertValue(pqInches, pqMillimeters, preview_.AvailablePageWidth()) / 2;
    Canvas().CentredTextOut(x, y, text);
}

void TfmCustomPrintedReport::DrawLetterhead() {
    const TMorvaneConfiguration& configuration = LoadedConfiguration();
    TPqCanvas& canvas = Canvas();
    preview_.Header().Height().SetAsInches(LetterheadInches);
    const TPqCoordsRelative base = canvas.CoordsRelativeTo();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);

    SetFont(canvas, 18, fsBold);
    TextOutCentred(configuration.Company, -15);
    SetFont(canvas, 10, 0);
    TextOutCentred(configuration.OperatingNumber, -5);
    const TMorvaneAddress& address = *configuration.Address;
    TextOutCentred(address.UnstructuredAddress + " " + address.AddressStr(), 0);
    const TMorvaneContactDetails& contact = *configuration.ContactDetails;
    TextOutCentred(contact.PhoneText() + "  " + contact.MobileText() + "  " + contact.FaxText(), 5);
    // "Email:", the address, " Web:" and the web address, each pair a blank apart.
    TextOutCentred("Email: " + contact.EmailAddress + "  Web: " + contact.WebAddress, 10);
    canvas.TextOut(10, 40, FormatDateTime("dd mmmm yyyy", Date()));
    SetFont(canvas, 14, fsBold);
    TextOutCentred(Title, 25);
    SetFont(canvas, 10, 0);
    // Fold marks.
    canvas.TextOut(-10, 85, ".");
    canvas.TextOut(180, 85, ".");

    canvas.SetCoordsRelativeTo(base);
}

void TfmCustomPrintedReport::DrawFooter() {
    TPqFont& font = Canvas().Font();
    const int size = font.Size();
    font.SetSize(8);
    TPqFooter& footer = preview_.Footer();
    footer.CaptionLeft().SetCaption(Title);
    footer.CaptionCenter().SetCaption(DateToStr(Date()));
    footer.CaptionRight().SetCaption("Page {PAGE} of {NUMPAGES}");
    font.SetSize(size);
}

} // namespace duebell
