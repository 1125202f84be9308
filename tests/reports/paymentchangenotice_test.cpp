// The Notice of Payment Change: its two tables read back from the PDF with poppler (clock at
// Sunday 1 March 2026), the figures worked by hand (a monthly loan of $270,000 over 25 years at
// 6.5 % + 1.25 %: P r / (1 - (1 + r)^-300) with r = 0.0775 / 12 is $2,039.39; the payment a
// rate change announces), the columns of a day on which instalment fees start, end and stop
// and a rate change is recorded, the loan with no ledger for yesterday (refused by name), and
// the ways other windows open it: shown for a loan, or printed without being shown.
#include "app/framework/windowregistry.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "print/previewmodel.h"
#include "printtestsupport.h"
#include "printtofile.h"
#include "reportbook.h"
#include "reports/paymentchangenotice.h"
#include "reports/printedreportwindow.h"
#include "reports/reportwindows.h"
#include "reporttestsupport.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using testing::ScriptedPrompter;

const char* const Title = "Notice of Payment Change";

// The texts of a built page standing `y` mm from the top (within 0.5 mm), left to right.
std::vector<std::string> RowAt(const std::vector<test::PlacedText>& texts, double y) {
    std::vector<test::PlacedText> row;
    for (const test::PlacedText& text : texts)
        if (std::abs(text.Y - y) < test::MillimetreTolerance)
            row.push_back(text);
    std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
    std::vector<std::string> words;
    for (const test::PlacedText& text : row)
        words.push_back(text.Text);
    return words;
}

class PaymentChangeNotice : public ::testing::Test {
protected:
    // The loan at 6.5 % + 1.25 %, monthly from 7 March 2025: its payment dates fall on the 7th.
    PaymentChangeNotice() {
        TMorvaneContract& contract = *loan.Contract;
        contract.PossessionDate = TDate(EncodeDate(2025, 3, 7));
        contract.ReferenceRate = TPercentage{Currency::fromDouble(6.5)};
        contract.RateSpread = TPercentage{Currency::fromDouble(1.25)};
        loan.BuildLedger();
    }

    // A change of the loan's reference rate recorded on `recorded`.
    TMorvaneRateChange& RecordRateChange(double recorded, double rate) {
        auto history = MakeItem<TMorvaneMortgageRate>(&book.Config());
        history->LoanNumber = loan.LoanNumber;
        TMorvaneMortgageRate* rates = book.Config().MortgageRates->Add(std::move(history));
        auto change = MakeItem<TMorvaneRateChange>(rates);
        change->TransactionDate = TDate(recorded);
        change->Rate = TPercentage{Currency::fromDouble(rate)};
        TMorvaneRateChange* added = rates->RateChanges->Add(std::move(change));
        loan.BuildLedger();
        return *added;
    }

    std::unique_ptr<TfmReportPaymentChange> Notice() {
        auto notice = CreateReport<TfmReportPaymentChange>();
        notice->SelectMortgage(&loan);
        return notice;
    }

    const TMorvaneLocalTransactionDay* LedgerDay(double date) {
        return static_cast<const TMorvaneLocalTransactionDay*>(
            loan.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    ScriptedPrompter prompter;
    test::DialogDriver windows;
    QString pdf = test::TestOutputFile(".pdf");
};

TEST_F(PaymentChangeNotice, WithNoChangeTodayOneCurrentColumnAndTheSecondPageCloses) {
    ASSERT_TRUE(WriteReportPdf(*Notice(), pdf));
    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 2);
    EXPECT_EQ(info.Title, Title);
    for (const test::PdfFont& font : test::ReadPdfFonts(pdf)) {
        EXPECT_TRUE(font.Name.contains("LiberationSans")) << font.Name.toStdString();
        EXPECT_TRUE(font.Embedded) << font.Name.toStdString();
    }

    const auto words = test::ReadPdfWords(pdf);
    const auto at = [&words](int page, double y) {
        return test::WordsAt(words, page, y).toStdString();
    };
    EXPECT_EQ(at(1, 115), "This notice is to inform you that your payment and/or arrears "
                          "administration fee have changed. The change");
    EXPECT_EQ(at(1, 135), "Change Indicator");
    EXPECT_EQ(at(1, 145), "Component Change");
    EXPECT_EQ(at(1, 155), "Annual Interest Rate No");
    EXPECT_EQ(at(1, 160), "Arrears Administration Fee No");
    EXPECT_EQ(at(1, 165), "Other Fees and Charges No");
    EXPECT_EQ(at(1, 190), "Repayment Breakdown");
    EXPECT_EQ(at(1, 205), "Current");
    EXPECT_EQ(at(1, 215), "Reference Rate 6.5%");
    EXPECT_EQ(at(1, 220), "Annual Interest Rate 7.75%");
    EXPECT_EQ(at(1, 225), "Payments $2,039.39");
    EXPECT_EQ(at(1, 235), "TOTAL Repayment $2,039.39");
    const test::PdfWord* current = test::FindWord(words, 1, "Current");
    ASSERT_NE(current, nullptr);
    EXPECT_NEAR(current->XMin, 70 * test::PointsPerMillimetre, test::PdfTolerance);

    // The second page: letterhead again, then the fee in force, the note and the signature.
    EXPECT_EQ(at(2, 45), Title);
    EXPECT_EQ(at(2, 90), "Arrears Administration Fee (per arrears notice) $50.00");
    // Between the fold marks.
    EXPECT_EQ(at(2, 105), ". Note: The repayment and loan term amount are only valid for the "
                          "interest rate specified above. .");
    EXPECT_EQ(at(2, 115), "Regards");
    EXPECT_EQ(at(2, 120), "Jane Citizen");
    EXPECT_EQ(at(2, 125), "Bellwether Finance");
    EXPECT_EQ(test::FindWord(words, 2, "Reference"), nullptr); // the client block: page 1 only
}

TEST_F(PaymentChangeNotice, AnArrearsFeeAmountDatedTodayIsAChange) {
    auto amount = MakeItem<TMorvaneInstallmentFeePenaltyConfig>(&book.Config());
    amount->TransactionDate = TDate(test::ReportToday);
    amount->PenaltyAmount = Currency::fromUnits(65);
    book.Config().InstallmentFeePenalties->Add(std::move(amount));

    TPqPreviewModel preview;
    BuildDocument(*Notice(), preview);
    EXPECT_EQ(RowAt(test::TextsOn(preview.GetPage(1)), 155),
              (std::vector<std::string>{"Annual Interest Rate", "No"}));
    EXPECT_EQ(RowAt(test::TextsOn(preview.GetPage(1)), 160),
              (std::vector<std::string>{"Arrears Administration Fee", "Yes"}));
    EXPECT_EQ(
        RowAt(test::TextsOn(preview.GetPage(2)), 90),
        (std::vector<std::string>{"Arrears Administration Fee (per arrears notice)", "$65.00"}));
}

// The payment a rate change announces is the one the book expects and keeps: worked by hand
// for a loan of 100,000.00 drawn down on Wednesday 15/03/2023 at 7.3 %, monthly over one year
// (20.0000 of interest a day; r = 0.073 / 12), on Monday 20/03/2023, when a change to 10.95 %
// is recorded with no notice period: it runs from 16/04/2023, the day after the payment date
// 15/04/2023.
//   Current:  100,000 x r / (1 - (1 + r)^-12) = 8,666.5108 -> $8,666.51.
//   As of 16/04/2023: 31 days of interest to 15/04 (620.00) less one payment leaves
//   100,000 - 8,666.51 + 620.00 = 91,953.49 scheduled; over the 11 payments left at
//   r = 0.1095 / 12: 91,953.49 x r / (1 - (1 + r)^-11) = 8,824.0136 -> $8,824.01.
TEST_F(PaymentChangeNotice, ARateChangeRecordedTodayAnnouncesThePaymentTheBookKeeps) {
    ScopedFixedClock monday(EncodeDate(2023, 3, 20) + EncodeTime(9, 0, 0, 0));
    TMorvaneContract& contract = *loan.Contract;
    contract.PossessionDate = TDate(EncodeDate(2023, 3, 15));
    contract.ContractAmount = Currency::fromUnits(100000);
    contract.Deposit = Currency();
    contract.ContractTerm = 1;
    contract.ReferenceRate = TPercentage{Currency::fromDouble(7.3)};
    contract.RateSpread = TPercentage{};
    const TMorvaneRateChange& change = RecordRateChange(EncodeDate(2023, 3, 20), 10.95);
    ASSERT_EQ(change.EffectiveFrom().value, EncodeDate(2023, 4, 16));
    // The stored figure and the ledger's instalment from then on are the one payment.
    EXPECT_EQ(change.NewPaymentAmount, Currency::fromDouble(8824.01));
    const TMorvaneLocalTransactionDay* after = LedgerDay(EncodeDate(2023, 4, 17));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->PMTAmount, Currency::fromDouble(8824.01));

    ASSERT_TRUE(WriteReportPdf(*Notice(), pdf));
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 2);
    const auto words = test::ReadPdfWords(pdf);
    const auto at = [&words](double y) { return test::WordsAt(words, 1, y).toStdString(); };
    EXPECT_EQ(at(155), "Annual Interest Rate Yes");
    EXPECT_EQ(at(165), "Other Fees and Charges No");
    EXPECT_EQ(at(200), "As of");
    EXPECT_EQ(at(205), "Current 16/04/2023");
    EXPECT_EQ(at(215), "Reference Rate 7.3% 10.95%");
    EXPECT_EQ(at(220), "Annual Interest Rate 7.3% 10.95%");
    EXPECT_EQ(at(225), "Payments $8,666.51 $8,824.01");
    EXPECT_EQ(at(235), "TOTAL Repayment $8,666.51 $8,824.01");
    const test::PdfWord* asOf = test::FindWord(words, 1, "As");
    ASSERT_NE(asOf, nullptr);
    EXPECT_NEAR(asOf->XMin, 95 * test::PointsPerMillimetre, test::PdfTolerance);
}

// Wednesday 4 March 2026, a loan paid on the 3rd of each month. Fees of $10 (recorded today:
// from 3 April), $20 (its sixth and last instalment yesterday), $99 (priority -1: never shown),
// $5 (stopped today after 3 April) and $1 (stopped today after 3 June); a rate change recorded
// today with 31 days' notice runs from 4 May. Six dates: only the five earliest are columns.
TEST_F(PaymentChangeNotice, FeesThatStartEndAndStopTodayGiveTheirColumns) {
    ScopedFixedClock wednesday(EncodeDate(2026, 3, 4) + EncodeTime(9, 0, 0, 0));
    const double today = EncodeDate(2026, 3, 4);
    loan.Contract->PossessionDate = TDate(EncodeDate(2025, 3, 3));
    loan.RateChangePeriod = 31;
    struct Fee {
        int priority;
        double recorded;
        int payments;
        double amount;
        double stopAfter;
    };
    const Fee fees[] = {{1, today, 12, 10, 0},
                        {2, EncodeDate(2025, 9, 15), 6, 20, 0},
                        {-1, today, 12, 99, 0},
                        {3, EncodeDate(2025, 12, 15), 24, 5, EncodeDate(2026, 4, 3)},
                        {4, EncodeDate(2025, 12, 15), 24, 1, EncodeDate(2026, 6, 3)}};
    for (const Fee& row : fees) {
        auto fee = MakeItem<TMorvaneInstallmentFee>(&loan);
        fee->Priority = row.priority;
        fee->FeeDescription = "Fee " + std::to_string(row.priority);
        fee->TransactionDate = TDate(row.recorded);
        fee->NumberOfPayments = row.payments;
        fee->PaymentAmount = row.amount;
        if (row.stopAfter > 0) {
            fee->StopTransactionDate = TDateTime(today + EncodeTime(8, 30, 0, 0));
            fee->StopLastPaymentDate = TDateTime(row.stopAfter);
        }
        loan.InstallmentFees->Add(std::move(fee));
    }
    RecordRateChange(today, 8);
    const TMorvaneLocalTransactionDay* after = LedgerDay(EncodeDate(2026, 5, 5));
    ASSERT_NE(after, nullptr);
    const std::string newPayment = FormatMoney(after->PMTAmount);
    const std::string newTotal = FormatMoney(after->PMTAmount + Currency::fromUnits(11));

    TPqPreviewModel preview;
    BuildDocument(*Notice(), preview);
    ASSERT_EQ(preview.PageCount(), 2);
    const auto texts = test::TextsOn(preview.GetPage(1));
    using Row = std::vector<std::string>;
    EXPECT_EQ(RowAt(texts, 155), (Row{"Annual Interest Rate", "Yes"}));
    EXPECT_EQ(RowAt(texts, 165), (Row{"Other Fees and Charges", "Yes"}));
    EXPECT_EQ(RowAt(texts, 200), (Row{"As of", "As of", "As of"}));
    EXPECT_EQ(RowAt(texts, 205),
              (Row{"Previous", "Current", "03/04/2026", "04/04/2026", "04/05/2026"}));
    EXPECT_EQ(RowAt(texts, 215), (Row{"Reference Rate", "6.5%", "6.5%", "6.5%", "6.5%", "8.0%"}));
    EXPECT_EQ(RowAt(texts, 220),
              (Row{"Annual Interest Rate", "7.75%", "7.75%", "7.75%", "7.75%", "9.25%"}));
    EXPECT_EQ(RowAt(texts, 225),
              (Row{"Payments", "$2,039.39", "$2,039.39", "$2,039.39", "$2,039.39", newPayment}));
    EXPECT_EQ(RowAt(texts, 230), (Row{"Fee 1", "$0.00", "$0.00", "$10.00", "$10.00", "$10.00"}));
    EXPECT_EQ(RowAt(texts, 235), (Row{"Fee 2", "$20.00", "$0.00", "$0.00", "$0.00", "$0.00"}));
    EXPECT_EQ(RowAt(texts, 240), (Row{"Fee 3", "$5.00", "$5.00", "$5.00", "$0.00", "$0.00"}));
    EXPECT_EQ(RowAt(texts, 245), (Row{"Fee 4", "$1.00", "$1.00", "$1.00", "$1.00", "$1.00"}));
    EXPECT_EQ(RowAt(texts, 255), (Row{"TOTAL Repayment", "$2,065.39", "$2,045.39", "$2,055.39",
                                      "$2,050.39", newTotal}));
    EXPECT_TRUE(test::Find(texts, "Fee -1").empty());
    EXPECT_TRUE(test::Find(texts, "04/06/2026").empty());
}

TEST_F(PaymentChangeNotice, ALoanWithNoLedgerForYesterdayGetsTheFrameAndAMessage) {
    loan.Contract->PossessionDate = TDate(test::ReportToday); // drawn down today
    loan.BuildLedger();
    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "Could not find internal records for the effective date specified.  Please "
                    "select another day.",
                    PromptAnswer::Ok);
    TPqPreviewModel preview;
    BuildDocument(*Notice(), preview);
    EXPECT_EQ(preview.PageCount(), 1);
    const auto texts = test::TextsOn(preview.GetPage(1));
    EXPECT_EQ(test::Find(texts, Title).size(), 1u);
    EXPECT_TRUE(test::Find(texts, "Change Indicator").empty());

    // The dialog refuses such a letter, naming the loan: nothing printed, nothing shown.
    for (int i = 0; i < 2; ++i)
        prompter.Expect(PromptType::Error, PromptButtons::Ok,
                        "Could not find internal records for the effective date specified.  "
                        "Please select another day.\n\nLoan 0000042 has no ledger record for "
                        "today or yesterday.",
                        PromptAnswer::Ok);
    test::PrintToFile printer(pdf);
    auto notice = Notice();
    EXPECT_FALSE(notice->btnPrintClick());
    notice->btnPreview->click();
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PaymentChangeNotice, AColumnPastTheLedgersEndIsReportedAndLeftWithoutARepayment) {
    loan.RateChangePeriod = 800; // effective in 2028, past the ledger's last day
    const TMorvaneRateChange& change = RecordRateChange(test::ReportToday, 7);
    ASSERT_EQ(LedgerDay(change.EffectiveFrom().value + 1), nullptr);
    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "There is an error in the Database. Please notify the distributor ",
                    PromptAnswer::Ok);
    TPqPreviewModel preview;
    BuildDocument(*Notice(), preview);
    const auto texts = test::TextsOn(preview.GetPage(1));
    using Row = std::vector<std::string>;
    EXPECT_EQ(RowAt(texts, 215), (Row{"Reference Rate", "6.5%", "7.0%"}));
    EXPECT_EQ(RowAt(texts, 225), (Row{"Payments", "$2,039.39"}));
    EXPECT_EQ(RowAt(texts, 235), (Row{"TOTAL Repayment", "$2,039.39"}));
}

TEST_F(PaymentChangeNotice, OtherWindowsShowItForTheLoanOrPrintItUnseen) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    windows.Expect([this](QDialog& window) {
        auto& notice = dynamic_cast<TfmReportPaymentChange&>(window);
        EXPECT_EQ(notice.windowTitle(), Title);
        EXPECT_EQ(notice.Mortgage(), &loan);
        EXPECT_EQ(notice.edtClientName->text(), "SMITH, John");
        return int(mrCancel);
    });
    WindowRequest request;
    request.loanNumber = loan.LoanNumber;
    EXPECT_EQ(OpenWindow("TfmReportPaymentChange", request).modalResult, mrCancel);

    // The arrears-fee amounts' run: printed at once, no dialog shown.
    test::PrintToFile printer(pdf);
    request.printWithoutPreview = true;
    EXPECT_EQ(OpenWindow("TfmReportPaymentChange", request).modalResult, mrOk);
    EXPECT_EQ(printer.shown, 1);
    EXPECT_EQ(windows.shown(), 1);
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 2);

    // From the menu, no loan: the dialog with none chosen.
    windows.Expect([](QDialog& window) {
        EXPECT_EQ(dynamic_cast<TfmReportPaymentChange&>(window).Mortgage(), nullptr);
        return int(mrCancel);
    });
    OpenWindow("TfmReportPaymentChange");
}

TEST_F(PaymentChangeNotice, PreviewShowsPageOneUnderTheNavigator) {
    auto notice = Notice();
    windows.Expect([](QDialog& window) {
        window.resize(648, 522);
        window.show();
        QApplication::processEvents();
        auto& preview = dynamic_cast<TfmPrintedReportWindow&>(window);
        EXPECT_EQ(preview.Preview().PageCount(), 2);
        EXPECT_EQ(preview.Preview().CurrentPage(), 1);
        EXPECT_TRUE(window.grab().toImage().save(test::TestOutputFile(".png")));
        return QDialog::Rejected;
    });
    notice->btnPreview->click();
    // And the first page as printed, larger, for a look at the tables.
    ASSERT_TRUE(WriteReportPdf(*notice, pdf));
    EXPECT_TRUE(test::RenderPdfPage(pdf, 1, 80).save(test::TestOutputFile("_page1.png")));
}

} // namespace
} // namespace duebell
