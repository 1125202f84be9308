#include "print/textmetrics.h"

#include "controls/fontmap.h"

#include <QStringList>
#include <cmath>
#include <cstdlib>

namespace duebell {

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    long long product = static_cast<long long>(a) * b;
    long long half = std::llabs(c) / 2;
    bool negative = (product < 0) != (c < 0);
    long long quotient = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -quotient : quotient);
}

QFont DeviceFont(const TPqFont& font) {
    // The screen's one font table.
    QFont f = MappedFont(font.Name());
    int points = std::abs(font.Size());
    f.setPixelSize(std::max(1, MulDiv(points, LogicalPixelsPerInch, 72)));
    f.setBold((font.Style() & fsBold) != 0);
    f.setItalic((font.Style() & fsItalic) != 0);
    f.setUnderline((font.Style() & fsUnderline) != 0);
    f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
    // Glyphs advance by their design widths, unkerned, so a line measures the same on every
    // device.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

TPqTextMetrics::TPqTextMetrics(const QFont& deviceFont)
    : font_(deviceFont), metrics_(deviceFont),
      ascent_(static_cast<int>(std::lround(metrics_.ascent()))),
      descent_(static_cast<int>(std::lround(metrics_.descent()))),
      averageCharWidth_(static_cast<int>(std::lround(metrics_.averageCharWidth()))) {}

int TPqTextMetrics::TextWidth(const QString& text) const {
    return static_cast<int>(std::lround(metrics_.horizontalAdvance(text)));
}

double TextWidthInches(const TPqFont& font, const std::string& text) {
    return TPqTextMetrics(font).TextWidth(QString::fromStdString(text)) /
           double(LogicalPixelsPerInch);
}

double TextHeightInches(const TPqFont& font, const std::string&) {
    return TPqTextMetrics(font).Height() / double(LogicalPixelsPerInch);
}

namespace {

TPqTextLine LayoutLine(const TPqTextMetrics& metrics, const QString& text, bool expandTabs) {
    TPqTextLine line;
    if (!expandTabs || !text.contains(u'\t')) {
        line.Runs.push_back({text, 0});
        line.Width = metrics.TextWidth(text);
        return line;
    }
    int tabStop = std::max(1, 8 * metrics.AverageCharWidth());
    int x = 0;
    const auto pieces = text.split(u'\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].isEmpty())
            line.Runs.push_back({pieces[i], x});
        x += metrics.TextWidth(pieces[i]);
        if (i + 1 < pieces.size())
            x = (x / tabStop + 1) * tabStop;
    }
    line.Width = x;
    return line;
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Greedy breaking of one paragraph between words.
void BreakParagraph(const TPqTextMetrics& metrics, const QString& paragraph, int width,
                    bool expandTabs, std::vector<TPqTextLine>& lines) {
    qsizetype start = 0; // first character of the line being filled
    qsizetype end = 0;   // end of its last accepted word
    qsizetype i = 0;
    const qsizetype n = paragraph.size();
    while (i < n) {
        qsizetype wordStart = i;
        while (wordStart < n && IsBlank(paragraph[wordStart]))
            ++wordStart;
        if (wordStart == n)
            break;
        qsizetype wordEnd = wordStart;
        while (wordEnd < n && !IsBlank(paragraph[wordEnd]))
            ++wordEnd;
        QString candidate = paragraph.mid(start, wordEnd - start);
        if (end == start || LayoutLine(metrics, candidate, expandTabs).Width <= width) {
            end = wordEnd;
        } else {
            lines.push_back(LayoutLine(metrics, paragraph.mid(start, end - start), expandTabs));
            start = wordStart;
            end = wordEnd;
        }
        i = wordEnd;
    }
    lines.push_back(LayoutLine(metrics, paragraph.mid(start, end - start), expandTabs));
}

} // namespace

std::vector<TPqTextLine> BreakTextLines(const TPqTextMetrics& metrics, const QString& text,
                                        int width, bool wordBreak, bool expandTabs) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    std::vector<TPqTextLine> lines;
    for (const QString& paragraph : normalised.split(u'\n')) {
        if (wordBreak)
            BreakParagraph(metrics, paragraph, width, expandTabs, lines);
        else
            lines.push_back(LayoutLine(metrics, paragraph, expandTabs));
    }
    return lines;
}

} // namespace duebell
