#include "print/previewmodel.h"

#include "objectlist/clock.h"
#include "print/documentstream.h"
#include "print/printprogress.h"

#include <algorithm>

namespace duebell {

TPqPreviewModel::TPqPreviewModel() : document_(&printer_) {
    Canvas().OnChange = [this] {
        if (OnCanvasChange)
            OnCanvasChange();
        if (!Updating() && view_)
            view_->PaperChanged();
    };
    Margins().OnChange = [this] {
        if (OnChangeMargins)
            OnChangeMargins();
        if (!Updating() && view_)
            view_->PaperChanged();
    };
    Pages().OnDeletePage = [this] {
        if (OnDeletePage)
            OnDeletePage();
    };
    Pages().OnClear = [this] {
        if (OnClear)
            OnClear();
    };
    HookPage(GetPage(1));
}

void TPqPreviewModel::RegisterListener(TPqPreviewListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void TPqPreviewModel::UnregisterListener(TPqPreviewListener* listener) {
    std::erase(listeners_, listener);
}

void TPqPreviewModel::SendPreviewMessage(TPqPreviewMessage message, int wParam, bool force) {
    if (Updating() && !force)
        return;
    // A listener may unregister while it is told; tell the ones registered now.
    std::vector<TPqPreviewListener*> listeners = listeners_;
    for (TPqPreviewListener* listener : listeners)
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            listener->PreviewMessage(message, wParam);
}

int TPqPreviewModel::HandleMessage(TPqPreviewMessage message, int wParam) {
    switch (message) {
    case pqmSetZoom:
        SetZoom(wParam);
        break;
    case pqmSetOrientation:
        SetOrientation(wParam == pqLandscape ? pqLandscape : pqPortrait);
        break;
    case pqmSetPaperSize:
        if (wParam >= 0 && wParam <= static_cast<int>(TPqPaperSize::Custom))
            SetPaperSize(static_cast<TPqPaperSize>(wParam));
        break;
    case pqmReposition:
        ShowCurrentPage();
        break;
    case pqmGetOrientation:
        return Pages().PagesOrientation();
    default:
        break;
    }
    return 0;
}

void TPqPreviewModel::HookPage(TPqPage& page) {
    page.OnOrientationChange = [this](TPqPage&, int pageNumber, TPqOrientation orientation) {
        if (OnChangePageOrientation)
            OnChangePageOrientation(pageNumber, orientation);
        SendPreviewMessage(pqmLayoutChanged);
        if (!Updating() && view_)
            view_->PaperChanged();
    };
}

void TPqPreviewModel::Loaded() {
    AnnounceFirstPage();
}

void TPqPreviewModel::AnnounceFirstPage() {
    if (firstPagePending_ && (OnNewPage || OnDrawHeader || OnDrawFooter))
        AnnounceNewPage();
}

void TPqPreviewModel::NewPage() {
    AnnounceFirstPage();
    document_.NewPage();
    AnnounceNewPage();
}

void TPqPreviewModel::AnnounceNewPage() {
    firstPagePending_ = false;
    TPqPage& page = GetPage(CurrentPage());
    HookPage(page);
    if (OnNewPage)
        OnNewPage();
    TPqValueRect band;
    if (OnDrawHeader) {
        HeaderRect(band);
        OnDrawHeader(band, Canvas());
    }
    if (OnDrawFooter) {
        FooterRect(band);
        OnDrawFooter(band, Canvas());
    }
    SendPreviewMessage(pqmPageCountChanged, PageCount());
    SendPreviewMessage(pqmCurrentPageChanged);
    ShowCurrentPage();
    if (OnPageChange)
        OnPageChange(CurrentPage());
}

void TPqPreviewModel::ShowCurrentPage() {
    if (Updating())
        return;
    if (view_)
        view_->PaperChanged();
    SendPreviewMessage(pqmPaperImageChanged, CurrentPage());
}

void TPqPreviewModel::DeletePage(int pageNumber) {
    if (printing_ || pageNumber < 1 || pageNumber > PageCount())
        return;
    int before = CurrentPage();
    if (document_.DeletePage(pageNumber)) {
        AnnounceNewPage();
        return;
    }
    SendPreviewMessage(pqmPageCountChanged, PageCount());
    if (OnPageChanging)
        OnPageChanging(before);
    ShowCurrentPage();
    if (OnPageChange)
        OnPageChange(CurrentPage());
    SendPreviewMessage(pqmCurrentPageChanged);
}

void TPqPreviewModel::Clear() {
    if (printing_)
        return;
    BeginUpdate();
    document_.Clear();
    AnnounceNewPage();
    EndUpdate();
}

void TPqPreviewModel::SetCurrentPage(int pageNumber) {
    if (pageNumber == CurrentPage() || pageNumber < 1 || pageNumber > PageCount())
        return;
    if (OnPageChanging)
        OnPageChanging(CurrentPage());
    document_.SetCurrentPage(pageNumber);
    ShowCurrentPage();
    if (OnPageChange)
        OnPageChange(pageNumber);
    SendPreviewMessage(pqmCurrentPageChanged);
}

void TPqPreviewModel::BeginUpdate() {
    if (!Updating())
        pageCountAtUpdate_ = PageCount();
    ++updateCount_;
    SendPreviewMessage(pqmBeginUpdate, 0, true);
}

void TPqPreviewModel::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
    ShowCurrentPage();
    SendPreviewMessage(pqmEndUpdate, 0, true);
}

void TPqPreviewModel::SetOrientation(TPqOrientation orientation) {
    if (OnChangeOrientation)
        OnChangeOrientation();
    BeginUpdate();
    Pages().SetOrientation(orientation);
    EndUpdate();
    SendPreviewMessage(pqmLayoutChanged);
}

void TPqPreviewModel::SetPaperSize(TPqPaperSize paper) {
    if (paper == TPqPaperSize::Custom)
        return;
    Pages().SetPaperSize(paper);
    ShowCurrentPage();
    SendPreviewMessage(pqmLayoutChanged, 0, true);
}

void TPqPreviewModel::SetPagesPerSheet(TPqPagesPerSheet pagesPerSheet) {
    if (pagesPerSheet_ == pagesPerSheet)
        return;
    pagesPerSheet_ = pagesPerSheet;
    SendPreviewMessage(pqmPagesPerSheetChanged);
}

double TPqPreviewModel::AvailablePageWidth() const {
    auto units = [](double inches) { return TPqValue(pqInches, inches).GetAsUnits(); };
    InchRect m = Pages().Margins().Inches();
    std::int64_t available = units(PageWidth()) - units(m.Left) - units(m.Right);
    return ConvertValue(pqUnits, pqInches, double(available));
}

void TPqPreviewModel::HeaderRect(TPqValueRect& rect) const {
    auto units = [](double inches) { return TPqValue(pqInches, inches).GetAsUnits(); };
    InchRect m = Pages().Margins().Inches();
    std::int64_t top = units(m.Top);
    rect.SetAsUnitsRect({units(m.Left), top, units(PageWidth() - m.Right),
                         top + units(Pages().Header().HeightInches())});
}

void TPqPreviewModel::FooterRect(TPqValueRect& rect) const {
    auto units = [](double inches) { return TPqValue(pqInches, inches).GetAsUnits(); };
    InchRect m = Pages().Margins().Inches();
    std::int64_t bottom = units(PageHeight() - m.Bottom);
    rect.SetAsUnitsRect({units(m.Left), bottom - units(Pages().Footer().HeightInches()),
                         units(PageWidth() - m.Right), bottom});
}

void TPqPreviewModel::SetGutter(int gutter) {
    if (gutter_ == gutter)
        return;
    gutter_ = gutter;
    ShowCurrentPage();
}

void TPqPreviewModel::SetZoom(int zoom) {
    if (zoom < 0)
        return;
    zoom = std::clamp(zoom, minZoom_, std::max(minZoom_, maxZoom_));
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    ShowCurrentPage();
    SendPreviewMessage(pqmZoomChanged);
}

void TPqPreviewModel::SetMaxZoom(int zoom) {
    maxZoom_ = zoom;
    if (zoom_ > maxZoom_)
        HandleMessage(pqmSetZoom, maxZoom_);
}

void TPqPreviewModel::SetMinZoom(int zoom) {
    minZoom_ = zoom;
    if (zoom_ < minZoom_)
        HandleMessage(pqmSetZoom, minZoom_);
}

void TPqPreviewModel::ZoomIn() {
    if (ZoomStyle == pqFixedZoom) {
        SetZoom(zoom_ + ZoomIncrement);
        return;
    }
    for (int step : ZoomSteps)
        if (step > zoom_) {
            SetZoom(step);
            return;
        }
}

void TPqPreviewModel::ZoomOut() {
    if (ZoomStyle == pqFixedZoom) {
        SetZoom(zoom_ - ZoomIncrement);
        return;
    }
    for (auto step = std::rbegin(ZoomSteps); step != std::rend(ZoomSteps); ++step)
        if (*step < zoom_) {
            SetZoom(*step);
            return;
        }
}

namespace {

// The page's size on screen at 100 %, pixels.
int ScreenPixels(double inches) {
    return static_cast<int>(RoundHalfEven(inches * 96));
}

double FitRatio(int controlSize, int gutter, double pageInches) {
    int page = ScreenPixels(pageInches);
    return page > 0 ? double(controlSize - 2 * gutter - 20) / page : 0;
}

} // namespace

void TPqPreviewModel::FitWidth(int controlWidth) {
    SetZoom(static_cast<int>(100 * FitRatio(controlWidth, gutter_, PageWidth())));
}

void TPqPreviewModel::FitHeight(int controlHeight) {
    SetZoom(static_cast<int>(100 * FitRatio(controlHeight, gutter_, PageHeight())));
}

void TPqPreviewModel::FitWholePage(int controlWidth, int controlHeight) {
    double ratio = std::min(FitRatio(controlWidth, gutter_, PageWidth()),
                            FitRatio(controlHeight, gutter_, PageHeight()));
    SetZoom(static_cast<int>(ratio * 100));
}

void TPqPreviewModel::SetReversePrintOrder(bool reverse) {
    reversePrintOrder_ = reverse;
    printer_.ReversePrintOrder = reverse;
}

void TPqPreviewModel::PrinterChanged() {
    SendPreviewMessage(pqmPrinterChanged);
    if (OnChangePrinter)
        OnChangePrinter();
}

TPqPrintResult TPqPreviewModel::PrintRange(int from, int to) {
    from = std::clamp(from, 1, PageCount());
    to = std::clamp(to, 1, PageCount());
    if (reversePrintOrder_)
        std::swap(from, to);
    return PrintPages(from, to);
}

namespace {

// Holds a flag for the length of a scope, however the scope ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

// Ends an open job on every way out of the print loop; a job left by an exception is aborted,
// so its document is closed and the printer's orientation turned back for the next job.
class OpenJob {
public:
    explicit OpenJob(TPqPrinter& printer) : printer_(printer) {}
    ~OpenJob() {
        if (printer_.Printing()) {
            printer_.Abort();
            printer_.EndDoc();
        }
    }
    OpenJob(const OpenJob&) = delete;
    OpenJob& operator=(const OpenJob&) = delete;

private:
    TPqPrinter& printer_;
};

} // namespace

TPqPrintResult TPqPreviewModel::PrintPages(int from, int to) {
    if (printing_)
        return TPqPrintResult::Refused;
    FlagScope printing(printing_);
    AnnounceFirstPage();
    if (BeforePrint)
        BeforePrint();
    printer_.PagesPerSheet =
        Pages().PagesOrientation() == pqMixedOrientation ? pqOnePage : pagesPerSheet_;
    printer_.Orientation = GetPage(from).Orientation();
    if (PaperSize() != TPqPaperSize::Custom)
        printer_.PaperSize = PaperSize();
    if (TPqPrintResult started = printer_.BeginDoc(); started != TPqPrintResult::Printed)
        return started;
    OpenJob job(printer_);

    const int step = from <= to ? 1 : -1;
    const int total = std::abs(to - from) + 1;
    const double now = Now();
    std::unique_ptr<TPqPrintProgress> progress = CreatePrintProgress(printer_.Title, total);
    int printed = 0;
    for (int n = from;; n += step) {
        TPqPage& page = GetPage(n);
        if (BeforePrintPage)
            BeforePrintPage(page, printer_.Device());
        if (OnPrintPage)
            OnPrintPage(page, printer_.Device());
        // Where the user may cancel between pages.
        if (!progress->Step(printed, total))
            printer_.Abort();
        if (printer_.Aborted())
            break;
        printer_.PrintPage(page, now);
        ++printed;
        if (AfterPrintPage)
            AfterPrintPage(page, printer_.Device());
        if (OnPrintProgress)
            OnPrintProgress(n, total);
        if (printer_.Aborted() || n == to)
            break;
        printer_.NewPage(GetPage(n + step).Orientation());
        if (printer_.Aborted())
            break;
    }
    progress.reset();

    bool aborted = printer_.Aborted();
    // An aborted job is ended too, so the printer is free for the next one.
    printer_.EndDoc();
    if (aborted) {
        if (OnAbortPrint)
            OnAbortPrint();
        return TPqPrintResult::Aborted;
    }
    if (AfterPrint)
        AfterPrint();
    return TPqPrintResult::Printed;
}

void TPqPreviewModel::SaveToStream(TPqStream& stream) {
    if (BeforeWriteStream)
        BeforeWriteStream(stream);
    WriteDocument(document_, stream);
}

void TPqPreviewModel::LoadFromStream(TPqStream& stream) {
    // The pages of a job being printed stay.
    if (printing_)
        return;
    if (BeforeReadStream)
        BeforeReadStream(stream);
    const double version = ReadDocumentVersion(stream);
    BeginUpdate();
    try {
        bool loadFile = true;
        if (BeforeLoad)
            BeforeLoad(version, loadFile);
        if (loadFile) {
            ReadDocument(document_, stream, version, OnNeedRichEdit);
            for (int n = 1; n <= PageCount(); ++n)
                HookPage(GetPage(n));
            // Its pages come with their letterheads: nothing is announced for them again.
            firstPagePending_ = false;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    SendPreviewMessage(pqmPageCountChanged, PageCount());
    SendPreviewMessage(pqmCurrentPageChanged);
}

void TPqPreviewModel::Assign(TPqPreviewModel& source) {
    TPqStream stream;
    source.SaveToStream(stream);
    stream.Seek(0);
    LoadFromStream(stream);
}

} // namespace duebell
