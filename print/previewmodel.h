// Everything a preview does apart from painting: it owns a document and its printer settings,
// adds, deletes and navigates pages, batches changes, zooms, prints, and tells registered
// companions about every change by numbered messages.
#pragma once

#include "print/document.h"
#include "print/previewmessages.h"
#include "print/printer.h"

#include <functional>
#include <memory>
#include <vector>

namespace duebell {

// How the paper on screen follows the preview (implemented by the preview widget).
class TPqPaperView {
public:
    virtual ~TPqPaperView() = default;
    // The page shown, its contents or the zoom changed: render and place the paper again.
    virtual void PaperChanged() = 0;
};

class TPqPreviewModel {
public:
    // The zoom steps of ZoomIn and ZoomOut with the variable zoom style.
    static constexpr int ZoomSteps[] = {7,   10,  14,  20,  30,  45,  60, 80,
                                        120, 170, 250, 350, 500, 650, 800};

    // Starts with one empty page, page 1 current.
    TPqPreviewModel();
    TPqPreviewModel(const TPqPreviewModel&) = delete;
    TPqPreviewModel& operator=(const TPqPreviewModel&) = delete;

    TPqDocument& Document() { return document_; }
    TPqCanvas& Canvas() { return document_.Canvas(); }
    TPqPrinter& Printer() { return printer_; }
    TPqPageList& Pages() { return document_.Pages(); }
    TPqHeader& Header() { return Pages().Header(); }
    TPqFooter& Footer() { return Pages().Footer(); }
    TPqMargins& Margins() { return Pages().Margins(); }
    const TPqPageList& Pages() const { return document_.Pages(); }
    void SetView(TPqPaperView* view) { view_ = view; }

    // Companions hear every change; each is registered once.
    void RegisterListener(TPqPreviewListener* listener);
    void UnregisterListener(TPqPreviewListener* listener);
    // Expires when the preview goes: a companion that keeps it forgets the preview then.
    std::weak_ptr<const void> Lifetime() const { return lifetime_; }
    // To every listener, unless between BeginUpdate and EndUpdate and not forced.
    void SendPreviewMessage(TPqPreviewMessage message, int wParam = 0, bool force = false);
    // The messages the preview answers itself.
    int HandleMessage(TPqPreviewMessage message, int wParam);

    // Announces the first page to OnNewPage, OnDrawHeader and OnDrawFooter as NewPage does for
    // every later page: what the owner calls once it has attached them. When it does not, the
    // first page is announced anyway before the next page is made, before a job prints and
    // when the preview is first shown, so every page gets its letterhead and footer once.
    void Loaded();

    int PageCount() const { return document_.PageCount(); }
    int CurrentPage() const { return document_.CurrentPage(); }
    TPqPage& GetPage(int pageNumber) const { return document_.GetPage(pageNumber); }
    void NewPage();
    // Nothing for a page out of range or while a job prints; the last page's deletion leaves a
    // fresh empty page.
    void DeletePage(int pageNumber);
    void DeleteCurrentPage() { DeletePage(CurrentPage()); }
    // Nothing while a job prints.
    void Clear();
    // Nothing for the current page or a page out of range.
    void SetCurrentPage(int pageNumber);
    void FirstPage() { SetCurrentPage(1); }
    void PrevPage() { SetCurrentPage(CurrentPage() - 1); }
    void NextPage() { SetCurrentPage(CurrentPage() + 1); }
    void LastPage() { SetCurrentPage(PageCount()); }

    // Calls nest; messages other than their own wait until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }
    int PageCountAtUpdate() const { return pageCountAtUpdate_; }

    TPqOrientation Orientation() const { return document_.Pages().Orientation(); }
    void SetOrientation(TPqOrientation orientation);
    TPqPaperSize PaperSize() const { return document_.Pages().PaperSize(); }
    // Custom is ignored.
    void SetPaperSize(TPqPaperSize paper);
    TPqPagesPerSheet PagesPerSheet() const { return pagesPerSheet_; }
    void SetPagesPerSheet(TPqPagesPerSheet pagesPerSheet);

    // The page size for the paper and orientation, inches.
    double PageWidth() const { return document_.Pages().PageSize().Width; }
    double PageHeight() const { return document_.Pages().PageSize().Height; }
    // The page width between the user margins, counted in whole hundredths of a millimetre.
    double AvailablePageWidth() const;
    // The header and footer bands between the margins, in whole hundredths of a millimetre.
    void HeaderRect(TPqValueRect& rect) const;
    void FooterRect(TPqValueRect& rect) const;

    // Grey border around the paper, pixels; setting it sets all four sides.
    int Gutter() const { return gutter_; }
    void SetGutter(int gutter);

    // Percent; 100 shows 96 screen pixels per inch.
    int Zoom() const { return zoom_; }
    // Limited to MinZoom..MaxZoom; a negative zoom is ignored.
    void SetZoom(int zoom);
    int MaxZoom() const { return maxZoom_; }
    int MinZoom() const { return minZoom_; }
    // A limit that excludes the current zoom brings the zoom to it.
    void SetMaxZoom(int zoom);
    void SetMinZoom(int zoom);
    int ZoomIncrement = 10;
    TPqZoomStyle ZoomStyle = pqVariableZoom;
    void ZoomIn();
    void ZoomOut();
    // Zooms for a control of the given outer size, pixels.
    void FitWidth(int controlWidth);
    void FitHeight(int controlHeight);
    void FitWholePage(int controlWidth, int controlHeight);

    // Decides the order of Print and PrintRange (the printer keeps a copy).
    bool ReversePrintOrder() const { return reversePrintOrder_; }
    void SetReversePrintOrder(bool reverse);
    // Prints every page (or those from 'from' to 'to') and tells how the job ended. Between
    // pages the print progress lets the user cancel; a second Print while one runs is Refused.
    // A handler that raises ends the job (aborted) and the error goes on to the caller.
    TPqPrintResult Print() { return PrintRange(1, PageCount()); }
    TPqPrintResult PrintRange(int from, int to);
    bool Printing() const { return printing_; }
    // Tells the companions that the printer or its settings changed.
    void PrinterChanged();

    // The whole document as a stream, and back: reading replaces the document only once the
    // stream has held up (else Exception "Stream read error", the document untouched), and
    // its pages hear no new-page, header or footer event; nothing is read while a job
    // prints. Assign copies another preview's document through a stream.
    void SaveToStream(TPqStream& stream);
    void LoadFromStream(TPqStream& stream);
    void Assign(TPqPreviewModel& source);

    TNotifyEvent OnNewPage;
    std::function<void(TPqValueRect& rect, TPqCanvas& canvas)> OnDrawHeader;
    std::function<void(TPqValueRect& rect, TPqCanvas& canvas)> OnDrawFooter;
    std::function<void(int pageNumber)> OnPageChange;
    std::function<void(int pageNumber)> OnPageChanging;
    TNotifyEvent OnDeletePage;
    TNotifyEvent OnClear;
    TNotifyEvent OnCanvasChange;
    TNotifyEvent OnChangeMargins;
    TNotifyEvent OnChangeOrientation;
    std::function<void(int pageNumber, TPqOrientation orientation)> OnChangePageOrientation;
    TNotifyEvent OnChangePrinter;
    TNotifyEvent BeforePrint;
    TNotifyEvent AfterPrint;
    TNotifyEvent OnAbortPrint;
    std::function<void(TPqPage& page, QPrinter& printer)> BeforePrintPage;
    std::function<void(TPqPage& page, QPrinter& printer)> OnPrintPage;
    std::function<void(TPqPage& page, QPrinter& printer)> AfterPrintPage;
    std::function<void(int printed, int total)> OnPrintProgress;
    std::function<void(TPqStream& stream)> BeforeWriteStream;
    std::function<void(TPqStream& stream)> BeforeReadStream;
    // Told the stream's version; clearing 'loadFile' leaves the document as it is.
    std::function<void(double version, bool& loadFile)> BeforeLoad;
    // Asked, for each rich text a stream being loaded holds, for the rich edit to read it
    // into; left null, a hidden one serves.
    TPqNeedRichEdit OnNeedRichEdit;

private:
    void AnnounceNewPage();
    // Announces the page made at construction once a handler is there to hear it.
    void AnnounceFirstPage();
    void ShowCurrentPage();
    void HookPage(TPqPage& page);
    TPqPrintResult PrintPages(int from, int to);

    std::shared_ptr<const void> lifetime_ = std::make_shared<char>(0);
    TPqPrinter printer_;
    TPqDocument document_;
    TPqPaperView* view_ = nullptr;
    std::vector<TPqPreviewListener*> listeners_;
    int updateCount_ = 0;
    int pageCountAtUpdate_ = 0;
    TPqPagesPerSheet pagesPerSheet_ = pqOnePage;
    int gutter_ = 30;
    int zoom_ = 20;
    int maxZoom_ = 200;
    int minZoom_ = 10;
    bool reversePrintOrder_ = false;
    bool printing_ = false;
    bool firstPagePending_ = true;
};

} // namespace duebell
