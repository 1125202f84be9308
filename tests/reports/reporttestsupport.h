// What the report tests share: a report made of a title, a kind of printed form and a body;
// the texts a page of a built document holds, with their places and fonts; output files under
// the build folder; and the fonts a PDF file uses, as pdffonts lists them.
#pragma once

#include "pdforacle.h"
#include "print/page.h"
#include "print/textobject.h"
#include "print/units.h"
#include "reports/printedform.h"
#include "reports/reportbuild.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace duebell::test {

inline constexpr double MillimetreTolerance = 0.5;
inline constexpr double PdfTolerance = 0.5 * PointsPerMillimetre;

template <class Form> struct FormKind {};

class TestReport : public TReportSource {
public:
    using Body = std::function<void(TfmCustomPrintedReport& form)>;
    template <class Form>
    TestReport(FormKind<Form>, std::string title, TMorvaneMortgage* mortgage, Body body)
        : make_([](TPqPreviewModel& preview) { return std::make_unique<Form>(preview); }),
          title_(std::move(title)), mortgage_(mortgage), body_(std::move(body)) {}

    std::string ReportTitle() const override { return title_; }
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override {
        return make_(preview);
    }
    void DrawBody(TfmCustomPrintedReport& form) override {
        if (body_)
            body_(form);
    }
    TMorvaneMortgage* ReportMortgage() const override { return mortgage_; }

private:
    std::function<std::unique_ptr<TfmCustomPrintedReport>(TPqPreviewModel&)> make_;
    std::string title_;
    TMorvaneMortgage* mortgage_;
    Body body_;
};

// A text object of a page: millimetres from the paper's corner, its font.
struct PlacedText {
    std::string Text;
    double X = 0;
    double Y = 0;
    int Size = 0;
    TFontStyles Style = 0;
};

inline std::vector<PlacedText> TextsOn(const TPqPage& page) {
    std::vector<PlacedText> texts;
    for (int i = 0; i < page.ObjectCount(); ++i) {
        const auto* text = dynamic_cast<const TPqTextObject*>(&page.Objects(i));
        if (text == nullptr)
            continue;
        const TPqFont* font = text->FontRef();
        texts.push_back({text->Text(), ConvertValue(pqInches, pqMillimeters, text->X()),
                         ConvertValue(pqInches, pqMillimeters, text->Y()),
                         font != nullptr ? font->Size() : 0,
                         font != nullptr ? font->Style() : TFontStyles(0)});
    }
    return texts;
}

// Every text of the page that reads exactly so.
inline std::vector<PlacedText> Find(const std::vector<PlacedText>& texts, const std::string& text) {
    std::vector<PlacedText> found;
    for (const PlacedText& placed : texts)
        if (placed.Text == text)
            found.push_back(placed);
    return found;
}

// The one text of the page that reads so; fails the test when there is not exactly one.
inline PlacedText FindOne(const std::vector<PlacedText>& texts, const std::string& text) {
    const std::vector<PlacedText> found = Find(texts, text);
    EXPECT_EQ(found.size(), 1u) << '"' << text << '"';
    return found.empty() ? PlacedText{} : found.front();
}

// A file under the build folder, named after the running test and removed first.
inline QString TestOutputFile(const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString file = QDir(DUEBELL_TEST_OUTPUT_DIR)
                       .filePath(QString("%1_%2%3")
                                     .arg(info->test_suite_name(), info->name())
                                     .arg(QString::fromStdString(suffix)));
    QFile::remove(file);
    return file;
}

struct PdfFont {
    QString Name;
    QString Type;
    bool Embedded = false;
};

inline std::vector<PdfFont> ReadPdfFonts(const QString& file) {
    std::vector<PdfFont> fonts;
    const QStringList lines = RunTool("pdffonts", {file}).split('\n', Qt::SkipEmptyParts);
    // Two heading lines; then name, type words, encoding, emb, sub, uni, object, generation.
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(' ', Qt::SkipEmptyParts);
        if (fields.size() < 7)
            continue;
        fonts.push_back({fields.front(), fields.mid(1, fields.size() - 7).join(' '),
                         fields[fields.size() - 5] == "yes"});
    }
    return fonts;
}

// The words of a page whose tops stand `yMm` from the top edge (within 0.5 mm), left to right,
// joined by blanks.
inline QString WordsAt(const std::vector<PdfWord>& words, int page, double yMm) {
    std::vector<const PdfWord*> line;
    for (const PdfWord& word : words)
        if (word.Page == page && std::abs(word.YMin - yMm * PointsPerMillimetre) < PdfTolerance)
            line.push_back(&word);
    std::sort(line.begin(), line.end(),
              [](const PdfWord* a, const PdfWord* b) { return a->XMin < b->XMin; });
    QStringList texts;
    for (const PdfWord* word : line)
        texts << word->Text;
    return texts.join(' ');
}

// The words of a page from `first` up to `last`, joined by blanks.
inline QString WordsBetween(const std::vector<PdfWord>& words, int page, const QString& first,
                            const QString& last) {
    QStringList texts;
    bool inside = false;
    for (const PdfWord& word : words) {
        if (word.Page != page)
            continue;
        if (!inside && word.Text == first)
            inside = true;
        if (inside) {
            texts << word.Text;
            if (word.Text == last)
                break;
        }
    }
    return texts.join(' ');
}

} // namespace duebell::test
