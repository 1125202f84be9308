// Every window the reports register, opened by name as the menus open it, filled with long
// lists and the longest names and addresses the client and property dialogs take, and printed
// into a PDF read back with poppler: no word below the bottom margin (for labels, outside its
// label), none off the paper, none over the footer or over another word, no heading on a page without a row under
// it, no subtotal on another page than its heading, and every name and address printed whole.
// A registered window this test has no filling for fails it, so a new report cannot escape.
#include "app/dialogs/namelengths.h"
#include "app/framework/headerframe.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/exspinedit.h"
#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "print/labeltemplates.h"
#include "printtofile.h"
#include "reportbook.h"
#include "reportfees.h"
#include "reports/payoutnotice.h"
#include "reports/reportlabelsclient.h"
#include "reports/reportwindows.h"
#include "reporttestsupport.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace duebell {
namespace {

using test::PdfWord;
using test::PointsPerMillimetre;

const char* const FeeQuestion = "Do you want to apply an arrears administration fee of $50.00?";
constexpr double BottomMarginMm = 297 - 20;
constexpr double PaperWidthMm = 210;

struct Document {
    std::string Window;
    WindowRequest Request;
    bool AsksForTheFee = false;
    // What the user chooses in the dialog before Print.
    std::function<void(QDialog&)> Fill;
    // Lines that head rows: each must have a row as the next line of its page.
    QStringList Headings;
    QRegularExpression Row;
    // Lines that close the list of the heading above them: on that heading's page.
    QRegularExpression Total;
};

Document Doc(std::string window, WindowRequest request, bool asksForTheFee = false,
             std::function<void(QDialog&)> fill = {}, QStringList headings = {},
             QRegularExpression row = {}, QRegularExpression total = {}) {
    return {std::move(window),   std::move(request), asksForTheFee,   std::move(fill),
            std::move(headings), std::move(row),     std::move(total)};
}

// A text of exactly `length` characters made of the stem's words, numbered so that no word
// of it appears anywhere else.
std::string Longest(const std::string& stem, int length) {
    std::string text;
    for (int i = 1; static_cast<int>(text.size()) < length; ++i)
        text += (text.empty() ? "" : " ") + stem + std::to_string(i);
    return text.substr(0, static_cast<std::size_t>(length));
}

bool Overlap(const PdfWord& a, const PdfWord& b) {
    // A word's box holds its font's whole ascent and descent: a 14-point title 5 mm above
    // the next line reaches 1.6 points into it (poppler's boxes) without a glyph touching.
    constexpr double Touch = 2;
    return std::min(a.XMax, b.XMax) - std::max(a.XMin, b.XMin) > Touch &&
           std::min(a.YMax, b.YMax) - std::max(a.YMin, b.YMin) > Touch;
}

// A page's lines, top to bottom: the words of one height, left to right.
std::vector<std::pair<double, QString>> LinesOf(const std::vector<PdfWord>& words, int page) {
    std::map<long, std::vector<const PdfWord*>> byHeight;
    for (const PdfWord& word : words)
        if (word.Page == page)
            byHeight[std::lround(word.YMin * 4)].push_back(&word);
    std::vector<std::pair<double, QString>> lines;
    for (auto& [height, line] : byHeight) {
        std::sort(line.begin(), line.end(), [](auto* a, auto* b) { return a->XMin < b->XMin; });
        QStringList texts;
        for (const PdfWord* word : line)
            texts << word->Text;
        lines.emplace_back(line.front()->YMin, texts.join(' '));
    }
    return lines;
}

class EveryDocument : public ::testing::Test {
protected:
    EveryDocument() {
        // Statement 1 of Smith (2/3 to 1/6/2025): 17 payments, two interest postings and the
        // closing marker fill page 1 exactly to its 20th row. Statement 2 (2/6 to 1/9/2025):
        // 48 payments, three postings and the marker, 52 rows, end page 2 at 245 mm.
        for (int i = 0; i < 17; ++i)
            AddPayment(smith, EncodeDate(2025, 3, 3) + 4 * i);
        for (int i = 0; i < 48; ++i)
            AddPayment(smith, EncodeDate(2025, 6, 3) + i);
        test::AddFeeType(book.Config(), "Legal Fee", 14);
        test::AddFee(smith, 11, EncodeDate(2026, 2, 2), "Legal Fee", 220);
        smith.BuildLedger();
        EXPECT_EQ(RowsOf(smith, EncodeDate(2025, 3, 2), EncodeDate(2025, 6, 1)), 20);
        EXPECT_EQ(RowsOf(smith, EncodeDate(2025, 6, 2), EncodeDate(2025, 9, 1)), 52);
        // Lee pays thirty instalment fees with every instalment.
        for (int i = 1; i <= 30; ++i) {
            auto fee = MakeItem<TMorvaneInstallmentFee>(&lee);
            fee->Priority = i;
            fee->FeeDescription = "Instalment Fee " + std::to_string(i);
            fee->TransactionDate = TDate(EncodeDate(2025, 3, 2));
            fee->NumberOfPayments = 120;
            fee->PaymentAmount = 10 + i;
            lee.InstallmentFees->Add(std::move(fee));
        }
        lee.BuildLedger();
        // Both loans' clients and properties with the longest texts their dialogs take.
        for (TMorvaneMortgage* loan : {&smith, &lee}) {
            TMorvaneClient& client = *book.Book().FindClient(loan->ClientCode);
            client.Surname = Longest("MONTGOMERY", SurnameLength);
            client.GivenNames = Longest("Maximiliana", GivenNamesLength);
            client.Surname2 = Longest("WOLFESCHLEGEL", SurnameLength);
            client.GivenNames2 = Longest("Bartholomew", GivenNamesLength);
            for (TMorvaneAddress* address : {client.PostalAddress.get(),
                                             loan->FindProperty()->Address.get()}) {
                address->StreetNo = Longest("Lot", StreetNoLength);
                address->StreetName = Longest("Escarpment", StreetNameLength);
                address->Suburb = Longest("Mountainview", SuburbLength);
                address->State = Longest("TERRITORY", StateLength);
                address->PostCode = Longest("2780", PostcodeLength);
                for (const std::string* part : {&address->StreetNo, &address->StreetName,
                                                &address->Suburb, &address->State,
                                                &address->PostCode})
                    longTexts.push_back(QString::fromStdString(*part));
            }
            for (const std::string* name : {&client.Surname, &client.GivenNames,
                                            &client.Surname2, &client.GivenNames2})
                longTexts.push_back(QString::fromStdString(*name));
        }
    }

    // The statement rows of the days from `first` to `last`: their movements.
    static int RowsOf(const TMorvaneMortgage& loan, double first, double last) {
        const auto& movements = loan.LocalTransactionDays.Ledger().Movements();
        return static_cast<int>(std::count_if(movements.begin(), movements.end(), [&](auto& m) {
            return m.Date >= first && m.Date <= last;
        }));
    }
    static void AddPayment(TMorvaneMortgage& loan, double date) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
        payment->TransactionDate = TDate(date);
        payment->PaymentType = "Direct Debit";
        payment->TransactionAmount = Currency::fromUnits(1);
        loan.LoanTransactions->Add(std::move(payment));
    }

    // The payout with that many instalment fees allocated and break costs added.
    std::function<void(QDialog&)> Payout(int fees, int costs) {
        return [this, fees, costs](QDialog& dialog) {
            auto& payout = dynamic_cast<TfmReportPayoutNotice&>(dialog);
            for (int i = 0; i < fees; ++i) {
                payout.stgOutstandingFees->SelectRow(1);
                payout.btnOutstandingFees->click();
            }
            for (int i = 1; i <= costs; ++i) {
                windows.Expect([i](QDialog& window) {
                    window.findChild<QLineEdit*>("edtDescription")
                        ->setText(QString("Cost %1").arg(i));
                    window.findChild<QLineEdit*>("edtAmount")->setText(QString::number(i));
                    window.findChild<QPushButton*>("btnSave")->click();
                    return QDialog::Accepted;
                });
                payout.fmeCustomHeaderFrame1->AddButton()->click();
            }
            ASSERT_EQ(payout.Figures().AllocatedFees().Count(), fees + 1);
        };
    }

    std::vector<Document> Documents() {
        const auto loan = [](const std::string& number, int statement = 0, int fee = 0) {
            WindowRequest request;
            request.loanNumber = number;
            request.statementNumber = statement;
            request.feeNumber = fee;
            return request;
        };
        const QRegularExpression dated(R"(^\d\d/\d\d/\d{4} )");
        const QRegularExpression item(R"(^(?!Subtotal:).* -?\$[\d,]+\.\d\d$)");
        const QStringList statementHeads{"Date Description Rate Type Debit Credit Balance"};
        const QStringList payoutHeads{"Fees", "Break Costs"};
        const QRegularExpression subtotal("^Subtotal:");
        std::vector<Document> documents;
        for (const char* notice : {"TfmReportLoanArrears", "TfmReportLoanDefault",
                                   "TfmReportLoanForeclosure", "TfmReportLoanEviction"})
            documents.push_back(Doc(notice, loan("0000042"), true));
        for (const char* notice : {"TfmReportFeesArrears", "TfmReportFeesDefault",
                                   "TfmReportFeesForeclosure", "TfmReportFeesEviction"})
            documents.push_back(Doc(notice, loan("0000042", 0, 11), true));
        documents.push_back(Doc("TfmReportFullFees", loan("0000042", 0, 11)));
        documents.push_back(Doc("TfmReportAccountingInitial", loan("0000042")));
        documents.push_back(
            Doc("TfmReportStatement", loan("0000042", 1), false, {}, statementHeads, dated));
        documents.push_back(
            Doc("TfmReportStatement", loan("0000042", 2), false, {}, statementHeads, dated));
        documents.push_back(Doc("TfmReportPaymentChange", loan("0000043")));
        documents.push_back(Doc("TfmReportDrawDown", loan("0000043")));
        // 8 to 13 fee lines with the full-fee line: the lists' ends fall on every row of page
        // 1 from 250 to 265 mm.
        const std::pair<int, int> payouts[] = {{7, 1},  {8, 1},  {9, 0}, {9, 2},
                                               {10, 1}, {12, 9}, {12, 24}};
        for (const auto& [fees, costs] : payouts)
            documents.push_back(Doc("TfmReportPayoutNotice", loan("0000043"), false,
                                    Payout(fees, costs), payoutHeads, item, subtotal));
        documents.push_back(Doc("TfmReportLabelsClient", {}, false, [](QDialog& dialog) {
            auto& labels = dynamic_cast<TfmReportLabelsClient&>(dialog);
            labels.edtNoLabels->SetValue(15);
            labels.lvwRecipientList->selectAll();
        }));
        return documents;
    }

    // Prints the document through its window's Print button; the PDF's words.
    std::vector<PdfWord> Print(const Document& document, const QString& pdf) {
        test::PrintToFile printer(pdf);
        if (document.AsksForTheFee)
            prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, FeeQuestion,
                            PromptAnswer::Yes);
        windows.Expect([&](QDialog& dialog) {
            if (document.Fill)
                document.Fill(dialog);
            dialog.findChild<QPushButton*>("btnPrint")->click();
            return QDialog::Rejected;
        });
        OpenWindow(document.Window, document.Request);
        EXPECT_EQ(printer.shown, 1);
        // The fee charged with this letter, gone again so the next letter may charge its own.
        if (document.AsksForTheFee) {
            smith.AdminFeeTransactions->FreeAll();
            smith.BuildLedger();
        }
        return test::ReadPdfWords(pdf);
    }

    test::ReportBook book;
    TMorvaneMortgage& smith = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneMortgage& lee = book.AddLoan("0000043", "Lee", "Sam", "Ipswich");
    // The names and address parts above: a page that shows a word of one shows all of it.
    QStringList longTexts;
    testing::ScriptedPrompter prompter;
    test::DialogDriver windows;
};

TEST_F(EveryDocument, NothingPrintsOverAnythingOrOutOfItsPlaceAndNoHeadingOrTotalStandsAlone) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    const std::vector<Document> documents = Documents();
    // The labels of an L7159 sheet, points from the paper's corner.
    const TPqLabelTemplateList sheets = TPqLabelTemplateList::BuiltIn();
    const TPqLabelTemplateInfo& sheet = *sheets.FindTemplate(TPqLabelTemplate::L7159_Address);
    std::vector<PdfWord> labelRects;
    for (int row = 0; row < sheet.Rows; ++row)
        for (int column = 0; column < sheet.Columns; ++column) {
            const double left = sheet.LeftMargin.GetAsMillimeters() +
                                column * sheet.ColumnPitch.GetAsMillimeters();
            const double top =
                sheet.TopMargin.GetAsMillimeters() + row * sheet.RowPitch.GetAsMillimeters();
            labelRects.push_back({0, {}, left * PointsPerMillimetre, top * PointsPerMillimetre,
                                  (left + sheet.LabelWidth.GetAsMillimeters()) * PointsPerMillimetre,
                                  (top + sheet.LabelHeight.GetAsMillimeters()) *
                                      PointsPerMillimetre});
        }
    const auto inside = [](const PdfWord& word, const PdfWord& rect) {
        return word.XMin >= rect.XMin && word.XMax <= rect.XMax && word.YMin >= rect.YMin &&
               word.YMax <= rect.YMax;
    };
    for (const std::string& window : RegisteredWindowNames()) {
        SCOPED_TRACE(window);
        int filled = 0;
        for (const Document& document : documents) {
            if (document.Window != window)
                continue;
            SCOPED_TRACE(++filled);
            const QString pdf =
                test::TestOutputFile("_" + window + "_" + std::to_string(filled) + ".pdf");
            const std::vector<PdfWord> words = Print(document, pdf);
            const test::PdfInfo info = test::ReadPdfInfo(pdf);
            ASSERT_GT(info.Pages, 0);
            const bool labels = window == "TfmReportLabelsClient";
            int headingPage = 1;
            for (int page = 1; page <= info.Pages; ++page) {
                SCOPED_TRACE(page);
                const std::vector<std::pair<double, QString>> lines = LinesOf(words, page);
                ASSERT_FALSE(lines.empty());
                std::vector<const PdfWord*> onPage;
                QSet<QString> texts;
                for (const PdfWord& word : words)
                    if (word.Page == page) {
                        onPage.push_back(&word);
                        texts.insert(QString(word.Text).remove(QRegularExpression(",$")));
                    }
                // The footer is the page's last line, and nothing else reaches it; labels
                // keep to their labels.
                double footer = BottomMarginMm * PointsPerMillimetre;
                if (!labels) {
                    EXPECT_EQ(lines.back().second.toStdString(),
                              QString("%1 01/03/2026 Page %2 of %3")
                                  .arg(info.Title)
                                  .arg(page)
                                  .arg(info.Pages)
                                  .toStdString());
                    footer = lines.back().first;
                }
                for (std::size_t i = 0; i < onPage.size(); ++i) {
                    const PdfWord& word = *onPage[i];
                    const std::string where = word.Text.toStdString() + " at " +
                                              std::to_string(word.XMin / PointsPerMillimetre) +
                                              ", " +
                                              std::to_string(word.YMin / PointsPerMillimetre);
                    if (labels)
                        EXPECT_TRUE(std::any_of(labelRects.begin(), labelRects.end(),
                                                [&](auto& rect) { return inside(word, rect); }))
                            << where;
                    else {
                        EXPECT_LE(word.YMax, word.YMin < footer - 0.5 ? footer
                                                                      : BottomMarginMm *
                                                                            PointsPerMillimetre)
                            << where;
                        EXPECT_LE(word.XMax, PaperWidthMm * PointsPerMillimetre) << where;
                    }
                    for (std::size_t j = i + 1; j < onPage.size(); ++j)
                        EXPECT_FALSE(Overlap(word, *onPage[j]))
                            << where << " and " << onPage[j]->Text.toStdString();
                }
                for (const QString& text : longTexts) {
                    const QStringList parts = text.split(' ', Qt::SkipEmptyParts);
                    if (std::any_of(parts.begin(), parts.end(),
                                    [&](const QString& part) { return texts.contains(part); })) {
                        for (const QString& part : parts)
                            EXPECT_TRUE(texts.contains(part))
                                << part.toStdString() << " of " << text.toStdString();
                    }
                }
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    if (document.Headings.contains(lines[i].second)) {
                        headingPage = page;
                        EXPECT_TRUE(i + 2 < lines.size() &&
                                    document.Row.match(lines[i + 1].second).hasMatch())
                            << lines[i].second.toStdString() << " heads "
                            << (i + 2 < lines.size() ? lines[i + 1].second.toStdString()
                                                     : "nothing");
                    }
                    if (!document.Total.pattern().isEmpty() &&
                        document.Total.match(lines[i].second).hasMatch()) {
                        EXPECT_EQ(page, headingPage) << lines[i].second.toStdString();
                    }
                }
            }
        }
        EXPECT_GT(filled, 0) << "no long lists for this window";
    }
}

} // namespace
} // namespace duebell
