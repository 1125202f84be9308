#include "print/labelprinter.h"

#include "controls/uihooks.h"
#include "print/canvasstate.h"

#include <algorithm>

namespace duebell {

namespace {

// The hourglass for the length of a scope; the cursor before it comes back however the
// scope ends.
class WaitCursor {
public:
    WaitCursor() : saved_(ScreenCursor()) { SetScreenCursor(crHourGlass); }
    ~WaitCursor() { SetScreenCursor(saved_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    TCursor saved_;
};

class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

// A label's clip rectangle reaches just past its right and bottom edges.
constexpr double ClipAllowance = 0.005; // inches

} // namespace

struct TPqLabelPrinter::Run {
    int column = 1;
    int row = 1;
    InchPoint start;
    InchPoint current;
};

TPqLabelPrinter::TPqLabelPrinter() : templates_(TPqLabelTemplateList::BuiltIn()) {
    cornerRadius_.SetAsUnits(300);
    labelBrush_.SetStyle(bsClear);
    labelPen_.SetColor(RGB(192, 192, 192));
    for (TPqValue* value :
         {&labelWidth_, &labelHeight_, &columnPitch_, &rowPitch_, &leftMargin_, &topMargin_})
        value->OnChange = [this] { GeometryChanged(); };
    SetTemplate(TPqLabelTemplate::L7159_Address);
}

void TPqLabelPrinter::GeometryChanged() {
    template_ = TPqLabelTemplate::Custom;
}

void TPqLabelPrinter::SetTemplate(TPqLabelTemplate id) {
    if (id == TPqLabelTemplate::Custom)
        return;
    const TPqLabelTemplateInfo* info = templates_.FindTemplate(id);
    if (!info)
        return;
    labelWidth_.SetAsInches(info->LabelWidth.Value());
    labelHeight_.SetAsInches(info->LabelHeight.Value());
    columnPitch_.SetAsInches(info->ColumnPitch.Value());
    rowPitch_.SetAsInches(info->RowPitch.Value());
    leftMargin_.SetAsInches(info->LeftMargin.Value());
    topMargin_.SetAsInches(info->TopMargin.Value());
    Columns = info->Columns;
    Rows = info->Rows;
    PaperSize = info->PaperSize;
    Orientation = info->Orientation;
    template_ = id;
}

void TPqLabelPrinter::SetLabelCount(int count) {
    labelCount_ = count;
    DrawLabels();
}

std::int64_t TPqLabelPrinter::SheetsNeeded(std::int64_t labels) const {
    const std::int64_t perSheet = std::int64_t{Columns} * Rows;
    if (perSheet <= 0 || labels < 1)
        return 0;
    const std::int64_t positions = std::clamp<std::int64_t>(StartLabel, 1, perSheet) - 1 + labels;
    return (positions + perSheet - 1) / perSheet;
}

void TPqLabelPrinter::DrawLabels() {
    TPqPreviewModel* preview = Preview();
    if (!preview) {
        ShowError("There is no TPqPreview assigned to this component");
        return;
    }
    if (busy_) {
        ShowError("Failed to draw labels");
        return;
    }
    if (Columns <= 0 || Rows <= 0 || labelCount_ < 1)
        return;
    if (const std::int64_t sheets = SheetsNeeded(labelCount_); sheets > MaxSheets) {
        ShowError("The labels would fill " + std::to_string(sheets) + " pages; no more than " +
                  std::to_string(MaxSheets) + " pages of labels are laid out at once.");
        return;
    }

    BusyScope busy(busy_);
    if (BeforeDrawLabels)
        BeforeDrawLabels();
    preview->SetOrientation(Orientation);
    preview->SetPaperSize(PaperSize);
    WaitCursor wait;
    TPqCanvas& canvas = preview->Canvas();
    TPqCanvasStateKeeper keeper(canvas);
    canvas.SetCoordsRelativeTo(pqFromPage);
    canvas.ClipObjects = false;
    TPqUpdateScope update(*preview);
    DrawRun();
}

void TPqLabelPrinter::DrawRun() {
    const double pageHeight = Preview()->PageHeight();
    // A start beyond the first sheet would wrap onto the same page.
    const int startLabel = std::clamp(StartLabel, 1, Columns * Rows);
    Run run;
    run.start = {leftMargin_.Value(), topMargin_.Value()};
    run.current = run.start;
    InchRect last{run.start.X, run.start.Y, run.start.X, run.start.Y};
    int drawn = 0;
    for (int position = 1; drawn < labelCount_; ++position) {
        const double height = GetLabelHeight(drawn + 1, run.column, run.row);
        // A new row, column or sheet is no use to a label that does not fit even there.
        if (run.current.Y + height > pageHeight && run.current.Y > run.start.Y)
            NextRowOrColumn(run, last);
        const InchRect rect{run.current.X, run.current.Y, run.current.X + labelWidth_.Value(),
                            run.current.Y + height};
        const bool used = position >= startLabel;
        if (used) {
            DrawOutline(rect);
            DrawContents(drawn + 1, rect);
        }
        Advance(run, height, drawn);
        last = rect;
        if (used)
            ++drawn;
    }
}

double TPqLabelPrinter::GetLabelHeight(int labelNum, int col, int row) const {
    if (DrawOrder != pqColumns || !OnGetLabelHeight)
        return labelHeight_.Value();
    TPqValue height;
    height.Assign(labelHeight_);
    OnGetLabelHeight(labelNum, col, row, height);
    return std::max(height.Value(), 0.0);
}

void TPqLabelPrinter::DrawOutline(const InchRect& rect) {
    TPqCanvas& canvas = Preview()->Canvas();
    TPqCanvasStateKeeper keeper(canvas);
    canvas.Pen().Assign(labelPen_);
    canvas.Brush().Assign(labelBrush_);
    switch (LabelShape) {
    case pqLabelRectangle:
        canvas.Rectangle(pqInches, rect.Left, rect.Top, rect.Right, rect.Bottom);
        break;
    case pqLabelRoundRect: {
        const double corner = 2 * cornerRadius_.Value();
        canvas.RoundRect(pqInches, rect.Left, rect.Top, rect.Right, rect.Bottom, corner, corner);
        break;
    }
    case pqLabelEllipse:
        canvas.Ellipse(pqInches, rect.Left, rect.Top, rect.Right, rect.Bottom);
        break;
    }
    // Seen in the preview only: the paper has its own edges.
    canvas.LastObject()->SetPrintable(false);
}

void TPqLabelPrinter::DrawContents(int labelNum, const InchRect& rect) {
    if (!OnDrawLabel)
        return;
    TPqCanvas& canvas = Preview()->Canvas();
    // The label's clipping ends with it, also when the handler throws.
    TPqCanvasStateKeeper keeper(canvas);
    canvas.ObjectClipRect = {rect.Left, rect.Top, rect.Right + ClipAllowance,
                             rect.Bottom + ClipAllowance};
    canvas.ClipObjects = ClipLabels;
    TPqValueRect labelRect;
    labelRect.AssignInches(rect);
    OnDrawLabel(labelNum, labelRect, canvas);
}

void TPqLabelPrinter::NextRowOrColumn(Run& run, const InchRect& last) {
    if (DrawOrder == pqRows) {
        if (run.row == Rows) {
            NewSheet(run);
            return;
        }
        run.column = 1;
        ++run.row;
        run.current = {run.start.X, last.Bottom};
        return;
    }
    if (run.column == Columns) {
        NewSheet(run);
        return;
    }
    run.row = 1;
    ++run.column;
    run.current = {last.Right, run.start.Y};
}

void TPqLabelPrinter::NewSheet(Run& run) {
    Preview()->NewPage();
    run.column = 1;
    run.row = 1;
    run.current = run.start;
}

void TPqLabelPrinter::Advance(Run& run, double height, int drawn) {
    const bool moreToCome = drawn < labelCount_ - 1;
    if (DrawOrder == pqRows) {
        run.current.X += columnPitch_.Value();
        if (run.column == Columns) {
            run.column = 1;
            run.current.X = run.start.X;
            if (run.row == Rows) {
                run.row = 1;
                run.current = run.start;
                if (moreToCome)
                    NewSheet(run);
            } else {
                ++run.row;
                run.current.Y += rowPitch_.Value();
            }
        } else {
            ++run.column;
        }
        return;
    }
    run.current.Y += std::max(height, rowPitch_.Value());
    if (run.row == Rows) {
        run.row = 1;
        run.current.Y = run.start.Y;
        if (run.column == Columns) {
            run.column = 1;
            run.current = run.start;
            if (moreToCome)
                NewSheet(run);
        } else {
            ++run.column;
            run.current.X += columnPitch_.Value();
        }
    } else {
        ++run.row;
    }
}

} // namespace duebell
