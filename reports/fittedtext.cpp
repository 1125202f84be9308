#include "reports/fittedtext.h"

#include "print/canvas.h"
#include "print/textmetrics.h"
#include "print/units.h"

#include <algorithm>
#include <cmath>

namespace duebell {

namespace {

// Device pixels, the unit the text is measured in, from the canvas's measurement.
double Pixels(const TPqCanvas& canvas, double length) {
    return ConvertValue(canvas.DefaultMeasurement, pqInches, length) * LogicalPixelsPerInch;
}

bool Fits(const std::vector<TPqTextLine>& lines, int lineHeight, double width, double height) {
    const bool narrow = std::all_of(lines.begin(), lines.end(),
                                    [&](const TPqTextLine& line) { return line.Width <= width; });
    return narrow && static_cast<double>(lines.size()) * lineHeight <= height;
}

} // namespace

void FittedTextOut(TPqCanvas& canvas, double x, double y, double width, double height,
                   const std::string& text) {
    TPqFont& font = canvas.Font();
    const int size = font.Size();
    const QString whole = QString::fromStdString(text);
    const double widthPixels = Pixels(canvas, width);
    const double heightPixels = Pixels(canvas, height);
    // The largest whole point size at which the text, broken between words, fills no more
    // than the place; 1 point when none does.
    for (int points = size; points >= 1; --points) {
        font.SetSize(points);
        const TPqTextMetrics metrics(font);
        const std::vector<TPqTextLine> lines =
            BreakTextLines(metrics, whole, static_cast<int>(std::floor(widthPixels)), true, false);
        if (points > 1 && !Fits(lines, metrics.Height(), widthPixels, heightPixels))
            continue;
        const double pitch =
            ConvertValue(pqInches, canvas.DefaultMeasurement,
                         metrics.Height() / static_cast<double>(LogicalPixelsPerInch));
        if (lines.size() == 1) {
            canvas.TextOut(x, y, text);
            break;
        }
        for (std::size_t i = 0; i < lines.size(); ++i)
            canvas.TextOut(x, y + static_cast<double>(i) * pitch,
                           lines[i].Runs.front().Text.toStdString());
        break;
    }
    font.SetSize(size);
}

} // namespace duebell
