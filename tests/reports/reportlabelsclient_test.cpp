// The client address labels window: its recipients and styles, the labels laid out for the
// chosen recipients (read back from the printed PDF with poppler), the label count that is
// never below one and a run too long to lay out, and a look at the window.
#include "app/framework/modalrunner.h"
#include "app/framework/windowregistry.h"
#include "controls/exspinedit.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "pdforacle.h"
#include "print/pdfoutput.h"
#include "print/previewwidget.h"
#include "print/printdialog.h"
#include "printtestsupport.h"
#include "reports/reportlabelsclient.h"
#include "reports/reportwindows.h"
#include "scriptedprompter.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::PdfWord;
using test::PointsPerMillimetre;

constexpr double Tolerance = 0.5 * PointsPerMillimetre;

// Where the first line of label n of an L7159 sheet stands, millimetres: the sheet's first
// label at 6.35 mm by 13.72 mm, pitches of 66.80 mm across and 33.78 mm down, 5 mm in.
std::pair<double, double> L7159FirstLine(int n) {
    const int column = (n - 1) % 3;
    const int row = (n - 1) / 3 % 8;
    return {6.35 + column * 66.80 + 5, 13.72 + row * 33.78 + 5};
}

// The words of a page whose top-left corner is at (x, y) millimetres, in order across.
std::vector<QString> WordsAt(const std::vector<PdfWord>& words, int page, double yMm, double xMm,
                             double widthMm = 60) {
    std::vector<QString> found;
    for (const PdfWord& word : words)
        if (word.Page == page && std::abs(word.YMin - yMm * PointsPerMillimetre) < Tolerance &&
            word.XMin > xMm * PointsPerMillimetre - Tolerance &&
            word.XMin < (xMm + widthMm) * PointsPerMillimetre)
            found.push_back(word.Text);
    return found;
}

class LabelsWindow : public ::testing::Test {
protected:
    LabelsWindow() {
        std::unique_ptr<TMorvaneConfiguration> configuration =
            MakeItem<TMorvaneConfiguration>(nullptr);
        configuration->Company = "Acme Lending";
        TMorvaneAddress& address = *configuration->Address;
        address.UnstructuredAddress = "Lodge";
        address.StreetNo = "1";
        address.StreetName = "Main St";
        address.Suburb = "Hilltop";
        address.State = "QLD";
        address.PostCode = "4000";
        SetConfiguration(std::move(configuration));
        std::unique_ptr<TMorvaneData> book = MakeItem<TMorvaneData>(nullptr);
        for (int i = 25; i >= 1; --i) {
            auto client = MakeItem<TMorvaneClient>(book.get());
            client->ClientCode = QString("%1").arg(i, 7, 10, QChar('0')).toStdString();
            client->Surname = QString("Client%1").arg(i).toStdString();
            client->GivenNames = "Pat";
            client->PostalAddress->StreetNo = QString::number(i).toStdString();
            client->PostalAddress->StreetName = "Gum Rd";
            client->PostalAddress->Suburb = "Woodridge";
            book->Clients->Add(std::move(client));
        }
        auto& second = *static_cast<TMorvaneClient*>(book->Clients->PeekFirst());
        second.Surname2 = "Partner";
        second.GivenNames2 = "Sam";
        SetData(std::move(book));
        window = std::make_unique<TfmReportLabelsClient>();
    }
    ~LabelsWindow() override {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
    }

    // Selects the rows (0 is "Self Addressed", n the client of code n).
    void Select(std::initializer_list<int> rows) {
        for (int row : rows)
            window->lvwRecipientList->topLevelItem(row)->setSelected(true);
    }
    TPqPreviewModel& Preview() { return window->PqPreview1->Model(); }
    // Prints through the window's button into a PDF; its words.
    std::vector<PdfWord> Print(const QString& name) {
        pdf = test::OutputFile(name);
        const PrintDialogRunner previous = SetPrintDialogRunner([this](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return true;
        });
        window->btnPrint->click();
        SetPrintDialogRunner(previous);
        return test::ReadPdfWords(pdf);
    }

    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    std::unique_ptr<TfmReportLabelsClient> window;
    QString pdf;
};

TEST_F(LabelsWindow, ListsTheLenderFirstThenEveryClientAndOffersTheNineteenStyles) {
    QTreeWidget& list = *window->lvwRecipientList;
    ASSERT_EQ(list.topLevelItemCount(), 26);
    EXPECT_EQ(list.headerItem()->text(0), "Applicant 1");
    EXPECT_EQ(list.headerItem()->text(2), "Postal Address");
    const QStringList self{list.topLevelItem(0)->text(0), list.topLevelItem(0)->text(1),
                           list.topLevelItem(0)->text(2)};
    EXPECT_EQ(self, (QStringList{"Self Addressed", "", "1 Main St, Hilltop, QLD, 4000"}));
    const QStringList first{list.topLevelItem(1)->text(0), list.topLevelItem(1)->text(1),
                            list.topLevelItem(1)->text(2)};
    EXPECT_EQ(first, (QStringList{"Client1, Pat", "Partner, Sam", "1 Gum Rd, Woodridge"}));

    QComboBox& styles = *window->cmbLabelStyle;
    ASSERT_EQ(styles.count(), 19);
    EXPECT_EQ(styles.itemText(0), "L7159 Address");
    EXPECT_EQ(styles.itemText(16), "J8660 Diskette");
    EXPECT_EQ(styles.itemText(18), "Avery 8160 Address");
    EXPECT_EQ(styles.currentIndex(), 0);
    EXPECT_EQ(window->edtNoLabels->text(), "1");
    // Nothing is laid out until something is chosen, nor by a change of style alone.
    styles.setCurrentIndex(17);
    EXPECT_EQ(Preview().GetPage(1).ObjectCount(), 0);
    EXPECT_EQ(window->PqLabelPrinter1().Template(), TPqLabelTemplate::Avery_5160_Address);
    Select({1});
    EXPECT_EQ(Preview().PaperSize(), TPqPaperSize::Letter);
}

TEST_F(LabelsWindow, TwoRecipientsTimesThreeCopiesFillOnePageTheLenderFirst) {
    window->edtNoLabels->SetValue(3);
    Select({3, 0});
    const std::vector<PdfWord> words = Print("labels_window_2x3.pdf");
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 1);
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        const auto [x, y] = L7159FirstLine(n);
        const std::vector<QString> expected = n <= 3 ? std::vector<QString>{"Acme", "Lending"}
                                                     : std::vector<QString>{"Client3,", "Pat"};
        EXPECT_EQ(WordsAt(words, 1, y, x), expected);
    }
    // The lender's label: no second applicant; the unstructured address after the number.
    const auto [x, y] = L7159FirstLine(1);
    EXPECT_TRUE(WordsAt(words, 1, y + 8, x).empty());
    EXPECT_EQ(WordsAt(words, 1, y + 16, x), (std::vector<QString>{"1", "Lodge"}));
    EXPECT_EQ(WordsAt(words, 1, y + 24, x), (std::vector<QString>{"Hilltop,", "QLD,", "4000"}));
    EXPECT_TRUE(WordsAt(words, 1, L7159FirstLine(7).second, L7159FirstLine(7).first).empty());
    // Six labels and nothing else: no outline reaches the paper.
    int printedWords = 0;
    for (const PdfWord& word : words)
        printedWords += word.Page == 1 ? 1 : 0;
    EXPECT_EQ(printedWords, 3 * (2 + 2 + 3) + 3 * (2 + 3 + 1));
}

TEST_F(LabelsWindow, TwentyFiveRecipientsOfOneLabelFillTwoPages) {
    for (int row = 1; row <= 25; ++row)
        Select({row});
    EXPECT_EQ(Preview().PageCount(), 2);
    const std::vector<PdfWord> words = Print("labels_window_25.pdf");
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 2);
    EXPECT_EQ(WordsAt(words, 2, L7159FirstLine(1).second, L7159FirstLine(1).first),
              (std::vector<QString>{"Client25,", "Pat"}));
    // Unchosen again: an empty preview.
    window->lvwRecipientList->clearSelection();
    EXPECT_EQ(Preview().PageCount(), 1);
    EXPECT_EQ(Preview().GetPage(1).ObjectCount(), 0);
}

TEST_F(LabelsWindow, TheLabelCountIsAtLeastOneAndARunTooLongIsRefused) {
    Select({1, 2});
    const struct {
        QString text;
        int labels;
    } counts[] = {{"0", 2}, {"-5", 2}, {"", 2}, {"4", 8}};
    for (const auto& [text, labels] : counts) {
        window->edtNoLabels->SetText(text);
        EXPECT_EQ(window->PqLabelPrinter1().LabelCount(), labels) << text.toStdString();
    }
    // 2147483647 labels each for two: counted in 64 bits, 4294967294 labels of 24 a page.
    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "4294967294 labels would fill 178956971 pages.  No more than 1000 pages of "
                    "labels can be laid out at once: choose fewer labels or fewer recipients.",
                    PromptAnswer::Ok);
    window->edtNoLabels->SetText("2147483647");
    EXPECT_EQ(Preview().GetPage(1).ObjectCount(), 0);
    // 1001 pages is one too many; 1000 are laid out.
    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "24024 labels would fill 1001 pages.  No more than 1000 pages of labels can "
                    "be laid out at once: choose fewer labels or fewer recipients.",
                    PromptAnswer::Ok);
    window->edtNoLabels->SetText("12012");
    EXPECT_EQ(Preview().PageCount(), 1);
    window->edtNoLabels->SetText("12000");
    EXPECT_EQ(Preview().PageCount(), 1000);
    EXPECT_TRUE(window->pnlReportParameters->isEnabled());
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(LabelsWindow, TheMenuEntryOpensTheWindowByName) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    QString caption;
    int rows = 0;
    ScopedModalRunner runner([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        rows = dynamic_cast<TfmReportLabelsClient&>(dialog).lvwRecipientList->topLevelItemCount();
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(OpenWindow("TfmReportLabelsClient").modalResult, QDialog::Rejected);
    EXPECT_EQ(caption, "Print Address Labels");
    EXPECT_EQ(rows, 26);
}

TEST_F(LabelsWindow, NineLabelsPreviewedInTheWindow) {
    window->edtNoLabels->SetValue(3);
    Select({0, 1, 2});
    window->show();
    window->resize(1100, 700);
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().toImage().save(test::OutputFile("labels_window_nine.png")));
    Print("labels_window_nine.pdf");
    EXPECT_FALSE(test::RenderPdfPage(pdf, 1, 60).isNull());
}

} // namespace
} // namespace duebell
