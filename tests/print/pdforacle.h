// Reads PDF files back through poppler's command-line tools (black-box oracles only):
// pdfinfo for the pages and their sizes, pdftotext -bbox for where each word landed.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

namespace duebell::test {

inline constexpr double PointsPerMillimetre = 72 / 25.4;

inline QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PdfPageSize {
    double Width = 0; // points
    double Height = 0;
    int Rotation = 0;
    bool operator==(const PdfPageSize&) const = default;
};

struct PdfInfo {
    int Pages = 0;
    QString Title;
    std::vector<PdfPageSize> Sizes;
};

inline PdfInfo ReadPdfInfo(const QString& file) {
    PdfInfo info;
    QString text = RunTool("pdfinfo", {"-f", "1", "-l", "999", file});
    static const QRegularExpression pages(R"(^Pages:\s+(\d+))",
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression title(R"(^Title:\s+(.*)$)",
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression size(R"(^Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)",
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression rotation(R"(^Page\s+\d+ rot:\s+(\d+))",
                                             QRegularExpression::MultilineOption);
    if (auto m = pages.match(text); m.hasMatch())
        info.Pages = m.captured(1).toInt();
    if (auto m = title.match(text); m.hasMatch())
        info.Title = m.captured(1).trimmed();
    for (auto it = size.globalMatch(text); it.hasNext();) {
        auto m = it.next();
        info.Sizes.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), 0});
    }
    std::size_t i = 0;
    for (auto it = rotation.globalMatch(text); it.hasNext() && i < info.Sizes.size(); ++i)
        info.Sizes[i].Rotation = it.next().captured(1).toInt();
    return info;
}

struct PdfWord {
    int Page = 0; // from 1
    QString Text;
    double XMin = 0; // points from the top-left corner of the page
    double YMin = 0;
    double XMax = 0;
    double YMax = 0;
    bool operator==(const PdfWord&) const = default;
};

inline std::vector<PdfWord> ReadPdfWords(const QString& file) {
    std::vector<PdfWord> words;
    QString html = RunTool("pdftotext", {"-bbox", file, "-"});
    static const QRegularExpression token(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words.push_back({page, m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

// The words of one page in reading order, joined by spaces.
inline QString PageText(const std::vector<PdfWord>& words, int page) {
    QStringList texts;
    for (const auto& w : words)
        if (w.Page == page)
            texts << w.Text;
    return texts.join(' ');
}

inline const PdfWord* FindWord(const std::vector<PdfWord>& words, int page, const QString& text) {
    for (const auto& w : words)
        if (w.Page == page && w.Text == text)
            return &w;
    return nullptr;
}

} // namespace duebell::test
