// The printed form every notice, letter and statement is drawn on: an A4 document with 20 mm
// margins, the lender's letterhead and the footer "title / date / Page x of y" on every page,
// and a block under the letterhead on the first page that each kind of form draws its own way.
//
// A printed form draws on a preview's document; it needs no window. The preview may be one of
// its own (to print or write a PDF) or the one of the preview window. Bodies draw in
// millimetres from the paper's corner and add pages with NewPage, which gives each new page
// its letterhead and footer.
#pragma once

#include "print/gridprint.h"
#include "print/previewmodel.h"

#include <memory>
#include <string>

namespace duebell {

class TMorvaneMortgage;

// The lowest a 10-point body line may start, millimetres from the paper's top edge: it then
// ends above the footer, which hangs from 277 mm less its own height (about 274 mm).
inline constexpr double LastBodyLineY = 265;

class TfmCustomPrintedReport {
public:
    // Sets the preview up as every printed form has it (paper, margins, zoom, header and
    // footer bands) and takes over its new-page event. The preview must outlive the form.
    explicit TfmCustomPrintedReport(TPqPreviewModel& preview);
    virtual ~TfmCustomPrintedReport();
    TfmCustomPrintedReport(const TfmCustomPrintedReport&) = delete;
    TfmCustomPrintedReport& operator=(const TfmCustomPrintedReport&) = delete;

    TPqPreviewModel& PqPreview1() const { return preview_; }
    TPqCanvas& Canvas() const { return preview_.Canvas(); }
    // A table printer bound to the preview (Arial 8 point, fixed rows on every page).
    TPqGridPrint& PqGridPrint1() { return gridPrint_; }

    // The loan the document is about (not owned) and the document's title.
    TMorvaneMortgage* Mortgage = nullptr;
    std::string Title;

    // The first page's frame: letterhead, header block, footer. Leaves the canvas at 10 point,
    // not bold, measuring from the paper's corner.
    void RenderFrame();
    // Both run again for every page from the second.
    void DrawLetterhead();
    void DrawFooter();
    // Text centred between the margins when the canvas measures from the user margins.
    void TextOutCentred(const std::string& text, double y);
    // A new page, with its letterhead and footer.
    void NewPage() { preview_.NewPage(); }

    // Where body text is measured from, millimetres; ordinary lines stand 10 mm further right.
    virtual int BodyLeft() const { return 10; }

protected:
    // The block under the letterhead, first page only.
    virtual void DrawHeaderBlock() {}
    virtual void AfterFrame() {}

private:
    void PqPreview1NewPage();

    TPqPreviewModel& preview_;
    TPqGridPrint gridPrint_;
};

// Letters to a borrower: the window address and the client, loan and bank block.
class TfmCustomClientReport : public TfmCustomPrintedReport {
public:
    using TfmCustomPrintedReport::TfmCustomPrintedReport;

protected:
    void DrawHeaderBlock() override;
};

// Bookkeeping reports: a "For:" line with the property's address.
class TfmCustomAccountingReport : public TfmCustomPrintedReport {
public:
    using TfmCustomPrintedReport::TfmCustomPrintedReport;

protected:
    void DrawHeaderBlock() override;
};

} // namespace duebell
