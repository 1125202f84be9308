// The loan notice dialogs as the user drives them, with every question scripted and every
// window answered by the test: the loan's choice and its refusal (also of a loan not in
// arrears today), Preview never asking about the arrears administration fee, Print asking it
// once the printer is chosen (Cancel: nothing charged, nothing printed; No: the plain letter;
// Yes: the fee in the ledger and in the letter of that loan only; a failed print says the fee
// was charged; printed again the same day, the program's box names the fee charged and Enter
// answers No), the total of all a payment pays before the loan, printed through the print
// dialog into a PDF read back with poppler, and the registry opening each notice.
#include "app/dialogs/mortgagesearch.h"
#include "app/framework/qtprompter.h"
#include "app/framework/windowregistry.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/numberformat.h"
#include "print/previewwidget.h"
#include "print/printdialog.h"
#include "printtestsupport.h"
#include "printtofile.h"
#include "reportbook.h"
#include "reports/loannotices.h"
#include "reports/printedreportwindow.h"
#include "reports/reportwindows.h"
#include "reporttestsupport.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::PrintToFile;
using testing::ScriptedPrompter;

const char* const FeeQuestion = "Do you want to apply an arrears administration fee of $50.00?";
const char* const NoLoan = "A mortgage must first be selected.";

// The money after a label at the start of a line, as a number of cents; -1 without one.
std::int64_t CentsAfter(const QString& line, const QString& label) {
    if (!line.startsWith(label + " $"))
        return -1;
    QString amount = line.mid(label.size() + 2).section(' ', 0, 0);
    amount.remove(',');
    return std::llround(amount.toDouble() * 100);
}

class LoanNotices : public ::testing::Test {
protected:
    void ExpectFeeQuestion(PromptAnswer answer) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, FeeQuestion, answer);
    }
    std::unique_ptr<TfmReportLoanDefault> DefaultNoticeFor(const TMorvaneMortgage& loan) {
        auto dialog = CreateReport<TfmReportLoanDefault>();
        dialog->SelectMortgage(&loan);
        return dialog;
    }
    // Lee's loan drawn down on Monday 02/02/2026, 26,000 fortnightly over a year at 7 %: the
    // instalment 26,000 x r / (1 - (1 + r)^-26), r = 0.07 / 26, is 1,036.7533 -> 1,036.75, and
    // no interest is posted before 02/03. Council rates of 69.23 are charged the day after each
    // payment date for the next one: on 03/02 for 16/02, on 17/02 for 02/03.
    void GiveLeeFortnightlyRates() {
        TMorvaneContract& contract = *lee.Contract;
        contract.PossessionDate = TDate(EncodeDate(2026, 2, 2));
        contract.ContractAmount = contract.Deposit + Currency::fromUnits(26000);
        contract.ContractTerm = 1;
        contract.PaymentPeriod = "Fortnightly";
        auto rates = MakeItem<TMorvaneInstallmentFee>(&lee);
        rates->FeeDescription = "Council Rates";
        rates->TransactionDate = contract.PossessionDate;
        rates->NumberOfPayments = 26;
        rates->PaymentAmount = 69.23;
        lee.InstallmentFees->Add(std::move(rates));
    }

    test::ReportBook book;
    TMorvaneMortgage& smith = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneMortgage& lee = book.AddLoan("0000043", "Lee", "Sam", "Ipswich");
    ScriptedPrompter prompter;
    test::DialogDriver windows;
    QString pdf = test::TestOutputFile(".pdf");
};

TEST_F(LoanNotices, EachNoticeHasItsCaptionAndShowsTheChosenLoan) {
    const std::unique_ptr<TfmCustomLoanNotice> notices[] = {
        CreateReport<TfmReportLoanArrears>(), CreateReport<TfmReportLoanDefault>(),
        CreateReport<TfmReportLoanForeclosure>(), CreateReport<TfmReportLoanEviction>()};
    const char* captions[] = {"Notice of Arrears", "Notice of Default", "Notice of Termination",
                              "Notice to Vacate Property"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(notices[i]->windowTitle(), captions[i]);
        EXPECT_EQ(notices[i]->cmbLoanNumber->Items().Count(), 2);
        EXPECT_EQ(notices[i]->Mortgage(), nullptr);
        EXPECT_TRUE(notices[i]->edtClientName->text().isEmpty());
        EXPECT_FALSE(notices[i]->FeeApplied());
    }
    notices[1]->SelectMortgage(&lee);
    EXPECT_EQ(notices[1]->Mortgage(), &lee);
    EXPECT_EQ(notices[1]->cmbLoanNumber->Text(), "0000043");
    EXPECT_EQ(notices[1]->edtPropertyAddress->text(), "12 Main St, Ipswich, QLD, 4000");
    EXPECT_EQ(notices[1]->edtClientName->text(), "Lee, Sam");
    EXPECT_TRUE(notices[1]->edtClientName->isReadOnly());
    EXPECT_EQ(notices[1]->btnPrint->text(), "&Print");
    EXPECT_EQ(notices[1]->btnPreview->text(), "Pre&view");
    EXPECT_EQ(notices[1]->btnClose->text(), "&Close");
}

TEST_F(LoanNotices, WithNoLoanChosenPrintAndPreviewSaySoAndBuildNothing) {
    SetData(MakeItem<TMorvaneData>(nullptr)); // an empty loan book
    auto dialog = CreateReport<TfmReportLoanDefault>();
    dialog->show();
    EXPECT_EQ(dialog->cmbLoanNumber->Items().Count(), 0);
    prompter.Expect(PromptType::Error, PromptButtons::Ok, NoLoan, PromptAnswer::Ok);
    prompter.Expect(PromptType::Error, PromptButtons::Ok, NoLoan, PromptAnswer::Ok);
    PrintToFile printer(pdf);
    dialog->btnPrint->click(); // no fee question either
    dialog->btnPreview->click();
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);
    EXPECT_EQ(dialog->focusWidget(), dialog->cmbLoanNumber);
}

TEST_F(LoanNotices, ARowWhoseLoanHasGoneIsRefusedLikeNoRow) {
    auto dialog = CreateReport<TfmReportLoanDefault>();
    // The loan leaves the book while its row stays in the pick list.
    TTovObjectItem* gone = Data()->Mortgages->Locate(Variant(std::string("0000043")));
    Data()->Mortgages->Delete();
    delete gone;
    dialog->cmbLoanNumber->SetItemIndex(1);
    ASSERT_EQ(dialog->cmbLoanNumber->ItemIndex(), 1);
    EXPECT_EQ(dialog->Mortgage(), nullptr);
    EXPECT_TRUE(dialog->edtClientName->text().isEmpty());
    prompter.Expect(PromptType::Error, PromptButtons::Ok, NoLoan, PromptAnswer::Ok);
    PrintToFile printer(pdf);
    EXPECT_FALSE(dialog->btnPrintClick());
    EXPECT_EQ(printer.shown, 0);
}

TEST_F(LoanNotices, PreviewNeverAsksAboutTheFeeAndBuildsAFreshDocumentEachTime) {
    auto dialog = DefaultNoticeFor(smith);
    std::vector<TfmPrintedReportWindow*> seen;
    for (int i = 0; i < 2; ++i)
        windows.Expect([&](QDialog& window) {
            auto& preview = dynamic_cast<TfmPrintedReportWindow&>(window);
            seen.push_back(&preview);
            EXPECT_EQ(preview.windowTitle(), "Notice of Default");
            EXPECT_EQ(preview.Preview().PageCount(), 1);
            EXPECT_EQ(preview.Preview().CurrentPage(), 1);
            return QDialog::Rejected;
        });
    dialog->btnPreview->click();
    dialog->btnPreview->click();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    EXPECT_FALSE(DataModified());
}

TEST_F(LoanNotices, CancelOnTheFeeQuestionChargesNothingAndPrintsNothing) {
    auto dialog = DefaultNoticeFor(smith);
    ExpectFeeQuestion(PromptAnswer::Cancel);
    PrintToFile printer(pdf);
    dialog->btnPrint->click();
    EXPECT_EQ(printer.shown, 1); // the printer is chosen before the question
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    EXPECT_FALSE(dialog->FeeApplied());
    EXPECT_FALSE(DataModified());
}

TEST_F(LoanNotices, NoPrintsTheLetterWithoutTheFee) {
    auto dialog = DefaultNoticeFor(smith);
    ExpectFeeQuestion(PromptAnswer::No);
    PrintToFile printer(pdf);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_EQ(printer.shown, 1);
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    const QString text = test::PageText(test::ReadPdfWords(pdf), 1);
    EXPECT_FALSE(text.contains("debited")) << text.toStdString();
    // "Regards" follows the table's total directly; the total is the arrears alone.
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 210), "");
    EXPECT_EQ(test::WordsAt(words, 1, 235), "Regards");
    EXPECT_EQ(CentsAfter(test::WordsAt(words, 1, 215), "Arrears"),
              CentsAfter(test::WordsAt(words, 1, 225), "TOTAL Arrears"));
}

TEST_F(LoanNotices, YesChargesTheFeeAndTheLetterSaysSo) {
    auto dialog = DefaultNoticeFor(smith);
    ExpectFeeQuestion(PromptAnswer::Yes);
    PrintToFile printer(pdf);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_TRUE(dialog->FeeApplied());
    EXPECT_TRUE(DataModified());

    // The loan book and the rebuilt ledger hold the fee.
    ASSERT_EQ(smith.AdminFeeTransactions->Count(), 1);
    const auto* fee =
        static_cast<const TMorvaneAdminFeeTransaction*>(smith.AdminFeeTransactions->PeekFirst());
    EXPECT_EQ(fee->FeeDescription, "Default");
    EXPECT_EQ(fee->FeeAmount, Currency::fromUnits(50));
    EXPECT_EQ(fee->TransactionDate.value, test::ReportToday);
    const auto* today = static_cast<const TMorvaneLocalTransactionDay*>(
        smith.LocalTransactionDays->LocateNoMove(Variant(TDate(test::ReportToday))));
    ASSERT_NE(today, nullptr);
    bool inLedger = false;
    for (TTovObjectItem* item : *today->LocalTransactions)
        inLedger =
            inLedger || static_cast<const TMorvaneLocalTransaction*>(item)->TransactionAmount ==
                            Currency::fromUnits(50);
    EXPECT_TRUE(inLedger);

    // The printed letter: the fee row, a total of fee and arrears, the fee paragraph.
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 210), "Arrears Administration Fee $50.00");
    const std::int64_t arrears = CentsAfter(test::WordsAt(words, 1, 215), "Arrears");
    EXPECT_GT(arrears, 0);
    EXPECT_EQ(CentsAfter(test::WordsAt(words, 1, 225), "TOTAL Arrears"), arrears + 5000);
    EXPECT_EQ(test::WordsAt(words, 1, 240), "of $50.00 has been debited from your account.");
    const test::PdfWord* regards = test::FindWord(words, 1, "Regards");
    ASSERT_NE(regards, nullptr);
    EXPECT_NEAR(regards->YMin, 250 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_EQ(test::ReadPdfInfo(pdf).Title, "Notice of Default");
    // The page as it came out, for a look by eye.
    const QImage page = test::RenderPdfPage(pdf, 1, 60);
    EXPECT_FALSE(page.isNull());

    // A later Preview shows the paragraph too, without asking again.
    windows.Expect([](QDialog& window) {
        const auto texts =
            test::TextsOn(dynamic_cast<TfmPrintedReportWindow&>(window).Preview().GetPage(1));
        EXPECT_EQ(test::Find(texts, "of  $50.00  has been debited from your account.").size(), 1u);
        return QDialog::Rejected;
    });
    dialog->btnPreview->click();
}

TEST_F(LoanNotices, PrintedAgainTheSameDayTheQuestionNamesTheFeeChargedAndNoIsTheDefault) {
    auto dialog = DefaultNoticeFor(smith);
    ExpectFeeQuestion(PromptAnswer::Yes);
    {
        PrintToFile printer(pdf);
        ASSERT_TRUE(dialog->btnPrintClick());
    }
    // The paper jams; the lender prints again and meets the program's own box, with Enter.
    QtPrompter boxes;
    Prompter* scripted = SetPrompter(&boxes);
    windows.Expect([](QDialog& box) {
        const auto* message = box.findChild<QLabel*>("Message");
        EXPECT_EQ(message != nullptr ? message->text() : QString(),
                  "Loan 0000042 has already been charged $50.00 in arrears administration fees "
                  "today.\nDo you want to apply another arrears administration fee of $50.00?");
        const auto* no = box.findChild<QPushButton*>("No");
        EXPECT_TRUE(no != nullptr && no->isDefault());
        box.show();
        EXPECT_TRUE(box.grab().save(test::TestOutputFile("_question.png")));
        QTest::keyClick(&box, Qt::Key_Return);
        return 0;
    });
    bool printed = false;
    {
        PrintToFile printer(pdf);
        printed = dialog->btnPrintClick();
    }
    SetPrompter(scripted);
    EXPECT_TRUE(printed);
    EXPECT_EQ(windows.shown(), 1);
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 1); // no second $50.00
}

TEST_F(LoanNotices, TheFeeIsChargedOnlyWhenTheLetterGoesToPrint) {
    auto dialog = DefaultNoticeFor(smith);
    {
        // Cancel in the print dialog, twice: no question, no fee, no letter.
        PrintToFile cancelled(pdf, false);
        EXPECT_FALSE(dialog->btnPrintClick());
        EXPECT_FALSE(dialog->btnPrintClick());
        EXPECT_EQ(cancelled.shown, 2);
    }
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    EXPECT_FALSE(DataModified());
    EXPECT_FALSE(QFile::exists(pdf));

    // A print that fails once the fee is charged says so.
    test::RecordingSink printerMessages;
    PrintToFile unwritable(pdf + ".missing/letter.pdf");
    ExpectFeeQuestion(PromptAnswer::Yes);
    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "The arrears administration fee of $50.00 has been charged to loan "
                    "0000042, but the Notice of Default did not print.",
                    PromptAnswer::Ok);
    EXPECT_FALSE(dialog->btnPrintClick());
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 1);
    EXPECT_EQ(printerMessages.shown.size(), 1u);
}

TEST_F(LoanNotices, TheFeeParagraphFollowsTheLoanItWasChargedTo) {
    auto dialog = DefaultNoticeFor(smith);
    ExpectFeeQuestion(PromptAnswer::Yes);
    {
        PrintToFile printer(pdf);
        ASSERT_TRUE(dialog->btnPrintClick());
    }
    // The letter as Preview would show it, written to a file and read back.
    const auto debited = [&dialog](const char* suffix) {
        const QString file = test::TestOutputFile(suffix);
        EXPECT_TRUE(WriteReportPdf(*dialog, file));
        return test::PageText(test::ReadPdfWords(file), 1).contains("debited");
    };
    dialog->SelectMortgage(&lee);
    EXPECT_FALSE(dialog->FeeApplied());
    EXPECT_FALSE(debited("_lee.pdf"));
    EXPECT_EQ(lee.AdminFeeTransactions->Count(), 0);
    dialog->SelectMortgage(&smith);
    EXPECT_TRUE(debited("_smith.pdf"));
}

TEST_F(LoanNotices, ALoanThatOwesNothingTodayGetsNoLetterAndNoFeeQuestion) {
    // Paid today beyond its arrears: the arrears alert, worked from yesterday, still stands.
    test::AddPayment(smith, test::ReportToday, Currency::fromUnits(40000));
    smith.BuildLedger();
    // Paid on schedule on 16/02, 1,036.75 + 69.23: it owes only the rates of 02/03, not yet due.
    GiveLeeFortnightlyRates();
    test::AddPayment(lee, EncodeDate(2026, 2, 16), Currency::fromDouble(1105.98));
    lee.BuildLedger();
    auto dialog = DefaultNoticeFor(smith);
    for (const char* loan : {"0000042", "0000042", "0000043"})
        prompter.Expect(PromptType::Error, PromptButtons::Ok,
                        "Loan " + std::string(loan) +
                            " is not in arrears today (TOTAL Arrears $0.00): there is no "
                            "Notice of Default to send.",
                        PromptAnswer::Ok);
    PrintToFile printer(pdf);
    EXPECT_FALSE(dialog->btnPrintClick());
    dialog->btnPreview->click();
    dialog->SelectMortgage(&lee);
    EXPECT_FALSE(dialog->btnPrintClick());
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    EXPECT_EQ(lee.AdminFeeTransactions->Count(), 0);
}

TEST_F(LoanNotices, TheTotalIsAllAPaymentPaysBeforeTheLoanIsOnSchedule) {
    // Unpaid on Sunday 01/03: behind by the instalment of 16/02, 1,036.75, and the rates of
    // 16/02 and 02/03 unpaid, 138.46. Two arrears administration fees today, 50.00 + 55.00. A
    // payment pays the fees, the rates, then the loan: 105.00 + 138.46 + 1,036.75 = 1,280.21.
    GiveLeeFortnightlyRates();
    for (int dollars : {50, 55}) {
        auto fee = MakeItem<TMorvaneAdminFeeTransaction>(&lee);
        fee->TransactionDate = TDateTime(test::ReportToday);
        fee->DateAdded = TDateTime(test::ReportToday + dollars / 86400.0);
        fee->FeeAmount = fee->AmountLeft = Currency::fromUnits(dollars);
        lee.AdminFeeTransactions->Add(std::move(fee));
    }
    lee.BuildLedger();
    auto dialog = DefaultNoticeFor(lee);
    ASSERT_TRUE(WriteReportPdf(*dialog, pdf));
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 210), "Arrears Administration Fee $105.00");
    EXPECT_EQ(test::WordsAt(words, 1, 215), "Arrears $1,036.75");
    EXPECT_EQ(test::WordsAt(words, 1, 225), "TOTAL Arrears $1,280.21");
}

TEST_F(LoanNotices, PreviewShowsPageOneUnderTheNavigator) {
    auto dialog = DefaultNoticeFor(smith);
    windows.Expect([](QDialog& window) {
        window.resize(648, 522);
        window.show();
        QApplication::processEvents();
        const QImage shot = window.grab().toImage();
        EXPECT_TRUE(shot.save(test::TestOutputFile(".png")));
        auto& preview = dynamic_cast<TfmPrintedReportWindow&>(window);
        EXPECT_GT(preview.Preview().Zoom(), 60); // the page's width, not 100 %
        return QDialog::Rejected;
    });
    dialog->btnPreview->click();
}

TEST_F(LoanNotices, TheDialogAsTheUserSeesIt) {
    auto dialog = DefaultNoticeFor(smith);
    dialog->show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().toImage().save(test::TestOutputFile(".png")));
    EXPECT_EQ(dialog->width(), 659);
    auto* search = dialog->findChild<QWidget*>("MorvaneMortgageSearchButton1");
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(search->height(), 21);
}

TEST_F(LoanNotices, TheSearchButtonChoosesTheLoanItFinds) {
    auto dialog = DefaultNoticeFor(smith);
    windows.Expect([](QDialog& window) {
        auto& search = dynamic_cast<TfmMortgageSearch&>(window);
        search.SetSearchBy(lsfClientName);
        search.edtSearchText->setText("lee");
        search.btnSearch->click();
        search.btnOk->click();
        return int(mrNone);
    });
    dialog->show();
    QTest::mouseClick(dialog->findChild<QWidget*>("MorvaneMortgageSearchButton1"), Qt::LeftButton);
    EXPECT_EQ(dialog->Mortgage(), &lee);
    EXPECT_EQ(dialog->edtClientName->text(), "Lee, Sam");
}

TEST_F(LoanNotices, TheRegistryOpensEachNoticeWithTheOpenersLoan) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    const std::pair<const char*, const char*> names[] = {
        {"TfmReportLoanArrears", "Notice of Arrears"},
        {"TfmReportLoanDefault", "Notice of Default"},
        {"TfmReportLoanForeclosure", "Notice of Termination"},
        {"TfmReportLoanEviction", "Notice to Vacate Property"}};
    for (const auto& [name, caption] : names) {
        ASSERT_TRUE(IsWindowRegistered(name)) << name;
        windows.Expect([caption = caption](QDialog& window) {
            auto& notice = dynamic_cast<TfmCustomLoanNotice&>(window);
            EXPECT_EQ(notice.windowTitle(), caption);
            EXPECT_EQ(notice.Mortgage() != nullptr ? notice.Mortgage()->LoanNumber : "", "0000043");
            return QDialog::Rejected;
        });
        WindowRequest request;
        request.loanNumber = "0000043";
        OpenWindow(name, request);
    }
}

} // namespace
} // namespace duebell
