// Fonts and text measured as a printer-class device at 600 pixels per inch measures them:
// pixel heights rounded as Windows' MulDiv, whole-pixel ascent, descent and widths, and the
// line breaking of a framed text.
#pragma once

#include "print/resourceitems.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <string>
#include <vector>

namespace duebell {

// Every layout of the library works in these device pixels, whatever the output device.
inline constexpr int LogicalPixelsPerInch = 600;

// a * b / c rounded half away from zero; -1 when c is 0 (Windows' MulDiv).
int MulDiv(int a, int b, int c);

// The device font of a description at 600 pixels per inch (the angle is left to the caller).
// The family comes from the controls' font table, the one mapping for screen and print.
QFont DeviceFont(const TPqFont& font);

class TPqTextMetrics {
public:
    explicit TPqTextMetrics(const QFont& deviceFont);
    explicit TPqTextMetrics(const TPqFont& font) : TPqTextMetrics(DeviceFont(font)) {}

    const QFont& Font() const { return font_; }
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    // The height of a text line: ascent plus descent.
    int Height() const { return ascent_ + descent_; }
    int AverageCharWidth() const { return averageCharWidth_; }
    // The advance of a single line of text, tabs taken as glyphs.
    int TextWidth(const QString& text) const;

private:
    QFont font_;
    QFontMetricsF metrics_;
    int ascent_;
    int descent_;
    int averageCharWidth_;
};

double TextWidthInches(const TPqFont& font, const std::string& text);
double TextHeightInches(const TPqFont& font, const std::string& text);

// A line of a framed text: runs of text at their offsets from the line's left edge
// (tabs expanded to stops every eight average character widths).
struct TPqTextRun {
    QString Text;
    int X = 0;
};
struct TPqTextLine {
    std::vector<TPqTextRun> Runs;
    int Width = 0;
};

// Splits 'text' into lines as a framed text is drawn: at every line break, and with
// 'wordBreak' between words wherever the next word would pass 'width'; a word longer than the
// width stands on its own line uncut.
std::vector<TPqTextLine> BreakTextLines(const TPqTextMetrics& metrics, const QString& text,
                                        int width, bool wordBreak, bool expandTabs);

} // namespace duebell
