#include "print/headerfooter.h"

#include "print/textmetrics.h"
#include "print/tokens.h"

namespace duebell {

TPqHeaderFooterCaption::TPqHeaderFooterCaption() {
    font_.OnChange = [this] { Changed(); };
}

void TPqHeaderFooterCaption::Assign(const TPqHeaderFooterCaption& source) {
    caption_ = source.caption_;
    font_.Assign(source.font_);
}

void TPqHeaderFooterCaption::SetCaption(const std::string& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    Changed();
}

void TPqHeaderFooterCaption::Changed() {
    if (OnChange)
        OnChange();
}

TPqHeaderFooter::TPqHeaderFooter(const TPqMargins& margins, bool isHeader)
    : margins_(margins), isHeader_(isHeader) {
    for (auto& caption : captions_)
        caption.OnChange = [this] { Changed(); };
    pen_.OnChange = [this] { Changed(); };
    height_.OnChange = [this] { Changed(); };
    reportedHeight_.OnChange = [this] { height_.SetAsInches(reportedHeight_.Value()); };
}

void TPqHeaderFooter::SetShowLine(bool show) {
    if (showLine_ == show)
        return;
    showLine_ = show;
    Changed();
}

void TPqHeaderFooter::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Changed();
}

double TPqHeaderFooter::HeightInches() const {
    if (height_.Value() > 0)
        return height_.Value();
    if (!visible_)
        return 0;
    const TPqFont* largest = &captions_[0].Font();
    for (const auto& caption : captions_)
        if (caption.Font().Size() > largest->Size())
            largest = &caption.Font();
    return TextHeightInches(*largest, " ");
}

TPqValue& TPqHeaderFooter::GetHeight() {
    reportedHeight_.Assign(TPqValue(pqInches, HeightInches()));
    return reportedHeight_;
}

void TPqHeaderFooter::DrawOnCanvas(TPqDeviceCanvas& canvas, int pageNumber, double pageHeight,
                                   double pageWidth) const {
    if (!visible_)
        return;
    InchRect margins = margins_.Inches();
    double lineY =
        isHeader_ ? margins.Top + HeightInches() : pageHeight - margins.Bottom - HeightInches();
    int left = DeviceUnits(margins.Left);
    int right = DeviceUnits(pageWidth - margins.Right);
    int centre = DeviceUnits((margins.Left + pageWidth - margins.Right) / 2);
    int line = DeviceUnits(lineY);

    const TPqDrawContext& context = canvas.Context();
    canvas.SelectClearBrush();
    for (int index = pqCaptionLeft; index <= pqCaptionRight; ++index) {
        const TPqHeaderFooterCaption& caption = captions_[index];
        QString text = QString::fromStdString(ReplaceTokens(caption.Caption(), pageNumber,
                                                            context.PageCount, CaptionTimeFormat,
                                                            CaptionDateFormat, context.Timestamp));
        if (text.isEmpty())
            continue;
        canvas.SelectFont(caption.Font(), 0);
        const TPqTextMetrics& metrics = canvas.FontMetrics();
        int width = metrics.TextWidth(text);
        int x = index == pqCaptionLeft     ? left
                : index == pqCaptionCenter ? centre - width / 2
                                           : right - width;
        // A header caption stands on the line, a footer caption hangs from it.
        int y = isHeader_ ? line - metrics.Height() : line;
        canvas.TextOut(QPoint(x, y), text);
    }
    if (showLine_) {
        canvas.SelectPen(pen_);
        canvas.MoveTo(QPoint(left, line));
        canvas.LineTo(QPoint(right, line));
    }
}

void TPqHeaderFooter::Changed() {
    if (OnChange)
        OnChange();
}

} // namespace duebell
