// The Notice of Payout: the figures of a ledger day with the fees and break costs the user
// allocates (worked by hand from the day's balance, fee balance and accumulated interest), the
// dialog as the user drives it (break costs through their own dialog, fees moved between the
// lists, dates with no figures refused and today's figures shown at once), and the printed
// notice read back from PDF with poppler.
#include "app/framework/detailform.h"
#include "app/framework/headerframe.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/datepicker.h"
#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/money.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "print/printdialog.h"
#include "printtestsupport.h"
#include "printtofile.h"
#include "reportbook.h"
#include "reports/payoutnotice.h"
#include "reports/payoutnoticebody.h"
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

const char* const DrawDownMessage =
    "Effective Date of the payout notice must be after the draw down date of the loan.";
const char* const FarAheadMessage =
    "A loan payout figure cannot be calculated this far in advance of the current date.";

Currency Money(double amount) {
    return Currency::fromDouble(amount);
}

// The figures a day of the loan's ledger shows, set by the test so they can be worked by hand.
void SetLedgerDay(TMorvaneMortgage& loan, double date, double balance, double feeBalance,
                  double interest) {
    auto* day = static_cast<TMorvaneLocalTransactionDay*>(
        loan.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
    ASSERT_NE(day, nullptr);
    day->Balance = Money(balance);
    day->FeeBalance = Money(feeBalance);
    day->AccumulatedInterest = Money(interest);
}

void AddBreakCost(const TPayoutFigures& figures, const std::string& description, double amount) {
    auto cost = MakeItem<TPayoutBreakCost>(nullptr);
    cost->Description = description;
    cost->Amount = Money(amount);
    figures.BreakCosts().Add(std::move(cost));
}

std::vector<std::pair<std::string, Currency>> LinesOf(const TTovObjectList& list) {
    std::vector<std::pair<std::string, Currency>> lines;
    for (const TTovObjectItem* item : list) {
        if (const auto* fee = dynamic_cast<const TPayoutOutstandingFee*>(item))
            lines.emplace_back(fee->FeeDescription, fee->Amount);
        else if (const auto* cost = dynamic_cast<const TPayoutBreakCost*>(item))
            lines.emplace_back(cost->Description, cost->Amount);
    }
    return lines;
}

// The amount a field of the dialog shows, as the field shows it.
std::string Shown(const QWidget& dialog, const char* field) {
    const auto* edit = dialog.findChild<QLineEdit*>(field);
    if (edit == nullptr)
        return "<no " + std::string(field) + ">";
    return FormatMoney(Currency::fromDouble(edit->property("Value").toDouble()));
}

TPayoutOutstandingFee& LineOf(const TTovObjectList& list, std::size_t index) {
    auto it = list.begin();
    std::advance(it, index);
    return static_cast<TPayoutOutstandingFee&>(**it);
}

class PayoutNotice : public ::testing::Test {
protected:
    // Instalment fees of the loan, each with `charged` of its instalments charged already.
    TMorvaneInstallmentFee& AddInstalmentFee(const std::string& description, int payments,
                                             double amount) {
        auto fee = MakeItem<TMorvaneInstallmentFee>(&smith);
        fee->FeeDescription = description;
        fee->TransactionDate = TDate(EncodeDate(2025, 3, 2));
        fee->NumberOfPayments = payments;
        fee->PaymentAmount = amount;
        return *smith.InstallmentFees->Add(std::move(fee));
    }
    // Two water-rate fees of one description, council rates, and a fee stopped before today.
    void AddFees() {
        AddInstalmentFee("Water Rates", 24, 25.0);
        AddInstalmentFee("Water Rates", 18, 10.0);
        AddInstalmentFee("Council Rates", 36, 33.335);
        AddInstalmentFee("Insurance", 24, 40.0).StopLastPaymentDate =
            TDateTime(EncodeDate(2026, 1, 2));
        smith.BuildLedger();
        const int charged[] = {12, 10, 12, 0};
        int i = 0;
        for (TTovObjectItem* item : *smith.InstallmentFees)
            static_cast<TMorvaneInstallmentFee*>(item)->PaymentsCharged = charged[i++];
    }
    std::unique_ptr<TfmReportPayoutNotice> DialogFor(TMorvaneMortgage& loan) {
        auto dialog = CreateReport<TfmReportPayoutNotice>();
        dialog->SelectMortgage(&loan);
        return dialog;
    }
    // The break-cost dialog answered with a description and an amount, saved.
    void ExpectBreakCostDialog(const QString& description, const QString& amount) {
        windows.Expect([=](QDialog& window) {
            auto& form = dynamic_cast<TfmCustomDetailForm&>(window);
            EXPECT_EQ(form.windowTitle(), "Add/Edit Break Cost");
            form.findChild<QLineEdit*>("edtDescription")->setText(description);
            form.findChild<QLineEdit*>("edtAmount")->setText(amount);
            form.findChild<QPushButton*>("btnSave")->click();
            return QDialog::Accepted;
        });
    }

    // Prints the notice as it stands into a PDF; its words.
    std::vector<test::PdfWord> PrintedWords(TfmReportPayoutNotice& dialog) {
        const QString pdf = test::TestOutputFile(".pdf");
        test::PrintToFile printer(pdf);
        EXPECT_TRUE(dialog.btnPrintClick());
        return test::ReadPdfWords(pdf);
    }

    test::ReportBook book;
    TMorvaneMortgage& smith = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneMortgage& lee = book.AddLoan("0000043", "Lee", "Sam", "Ipswich");
    const double today = test::ReportToday;
    ScriptedPrompter prompter;
    test::DialogDriver windows;
};

TEST_F(PayoutNotice, TheFigureIsBalanceFeesAndBreakCosts) {
    SetLedgerDay(smith, today, 1000.00, 50.00, 12.34);
    TPayoutFigures figures;
    ASSERT_TRUE(figures.Recalculate(smith, today, true));
    AddBreakCost(figures, "Break Fee", 100.00);
    figures.SumBreakCosts();
    EXPECT_EQ(figures.LoanBalance(), Money(1000));
    EXPECT_EQ(figures.FeesPenalties(), Money(50));
    EXPECT_EQ(figures.BreakCostTotal(), Money(112.34));
    EXPECT_EQ(FormatMoney(figures.PayoutFigure()), "$1,162.34");
    using Lines = std::vector<std::pair<std::string, Currency>>;
    EXPECT_EQ(LinesOf(figures.AllocatedFees()), (Lines{{"Outstanding Full Fees", Money(50)}}));
    EXPECT_EQ(LinesOf(figures.BreakCosts()),
              (Lines{{"Break Fee", Money(100)}, {"Outstanding Interest", Money(12.34)}}));
    // The full-fee line never leaves the payout.
    EXPECT_FALSE(figures.Unallocate(LineOf(figures.AllocatedFees(), 0)));
    EXPECT_EQ(figures.AllocatedFees().Count(), 1);
}

TEST_F(PayoutNotice, TheFigureIsTheSumOfTheCentAmountsAboveItOnScreenAndPaper) {
    // Worked by hand. Balance 29,982.2449 shows 29,982.24; fees 310.00; break costs 74.8249 of
    // interest and 100.00 typed, 174.8249, show 174.82; the figure is 29,982.24 + 310.00 +
    // 174.82 = 30,467.06 (the four-decimal sum, 30,467.0698, would round to .07). Ahead of
    // schedule: -949.0149 shows -949.01, 250.00, interest 43.1151 shows 43.12; -949.01 + 250.00
    // + 43.12 = -655.89 (not -655.8998, which rounds to -655.90).
    const struct {
        double balance, fees, interest;
        bool breakFee;
        const char* shown[4];
        double totalY;
    } cases[] = {
        {29982.2449,
         310.00,
         74.8249,
         true,
         {"$29,982.24", "$310.00", "$174.82", "$30,467.06"},
         260},
        {-949.0149, 250.00, 43.1151, false, {"-$949.01", "$250.00", "$43.12", "-$655.89"}, 255}};
    for (const auto& [balance, fees, interest, breakFee, shown, totalY] : cases) {
        SCOPED_TRACE(shown[3]);
        SetLedgerDay(smith, today, balance, fees, interest);
        auto dialog = DialogFor(smith);
        if (breakFee) {
            ExpectBreakCostDialog("Break Fee", "100");
            dialog->fmeCustomHeaderFrame1->AddButton()->click();
        }
        const char* fields[] = {"edtLoanBalance", "edtFeesPenalties", "edtBreakCosts",
                                "edtPayoutFigure"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Shown(*dialog, fields[i]), shown[i]) << fields[i];
        const auto words = PrintedWords(*dialog);
        EXPECT_EQ(test::WordsAt(words, 1, 150), QString("Balance: ") + shown[0]);
        EXPECT_EQ(test::WordsAt(words, 1, 157), QString("Fees: ") + shown[1]);
        EXPECT_EQ(test::WordsAt(words, 1, 164), QString("Break Costs: ") + shown[2]);
        EXPECT_EQ(test::WordsAt(words, 1, 171), QString("Payout Figure: ") + shown[3]);
        EXPECT_EQ(test::WordsAt(words, 1, totalY),
                  QString("Total Payout (as of 01/03/2026): ") + shown[3]);
    }
}

TEST_F(PayoutNotice, OnAnInterestDateOfAWeekendTheInterestPostedOnMondayIsOwed) {
    // 100,000.00 at 7.3 % from Wednesday 14/01/2026: 0.0002 a day, 20.0000 on 100,000. The
    // first interest date, Saturday 14/02, adds the 31 days from 14/01 to 13/02, 620.00, posted
    // on Monday 16/02; from the Saturday on, 20.1240 a day on 100,620.00. So the payout is
    // Friday 100,000.00 + 620.00 = 100,620.00; Saturday 100,000.00 (the day's own balance) +
    // 620.00 + 20.1240 = 100,640.12; Sunday 100,620.00 + 40.2480 = 100,660.25; Monday
    // 100,620.00 + 60.3720 = 100,680.37.
    TMorvaneContract& contract = *lee.Contract;
    contract.PossessionDate = TDate(EncodeDate(2026, 1, 14));
    contract.ContractAmount = Currency::fromUnits(110000);
    contract.Deposit = Currency::fromUnits(10000);
    contract.ReferenceRate = TPercentage{Currency::fromDouble(7.3)};
    lee.BuildLedger();
    auto dialog = DialogFor(lee);
    const struct {
        int day;
        const char* balance;
        const char* interest;
        const char* figure;
    } days[] = {{13, "$100,000.00", "$620.00", "$100,620.00"},
                {14, "$100,000.00", "$640.12", "$100,640.12"},
                {15, "$100,620.00", "$40.25", "$100,660.25"},
                {16, "$100,620.00", "$60.37", "$100,680.37"}};
    for (const auto& [day, balance, interest, figure] : days) {
        SCOPED_TRACE(day);
        dialog->edtEffectiveDate->SetDate(EncodeDate(2026, 2, day));
        dialog->edtEffectiveDateCloseUp();
        EXPECT_EQ(Shown(*dialog, "edtLoanBalance"), balance);
        EXPECT_EQ(Shown(*dialog, "edtBreakCosts"), interest);
        EXPECT_EQ(Shown(*dialog, "edtPayoutFigure"), figure);
    }
    dialog->edtEffectiveDate->SetDate(EncodeDate(2026, 2, 14));
    dialog->edtEffectiveDateCloseUp();
    const auto words = PrintedWords(*dialog);
    EXPECT_EQ(test::WordsAt(words, 1, 171), "Payout Figure: $100,640.12");
    EXPECT_EQ(test::WordsAt(words, 1, 240), "Outstanding Interest $640.12");
}

TEST_F(PayoutNotice, UnpaidArrearsAdministrationFeesAreOwedOnScreenAndPaper) {
    // 55.00 charged on 20/02/2026; a payment of 20.00 on 25/02 goes to it first. Open on 19/02:
    // nothing; on 21/02: 55.00; today: 35.00. The loan's full-fee balance is nil.
    auto fee = MakeItem<TMorvaneAdminFeeTransaction>(&smith);
    fee->TransactionDate = TDateTime(EncodeDate(2026, 2, 20));
    fee->FeeDescription = "Loan Arrears";
    fee->FeeAmount = Money(55);
    smith.AdminFeeTransactions->Add(std::move(fee));
    auto payment = MakeItem<TMorvaneLoanTransaction>(&smith);
    payment->TransactionDate = TDate(EncodeDate(2026, 2, 25));
    payment->PaymentType = "Direct Debit";
    payment->TransactionAmount = Money(20);
    smith.LoanTransactions->Add(std::move(payment));
    smith.BuildLedger();

    auto dialog = DialogFor(smith);
    const std::pair<double, const char*> owed[] = {
        {EncodeDate(2026, 2, 19), "$0.00"}, {EncodeDate(2026, 2, 21), "$55.00"}, {today, "$35.00"}};
    for (const auto& [date, fees] : owed) {
        dialog->edtEffectiveDate->SetDate(date);
        dialog->edtEffectiveDateCloseUp();
        EXPECT_EQ(Shown(*dialog, "edtFeesPenalties"), fees) << DateToStr(date);
    }
    EXPECT_EQ(dialog->stgAllocatedFees->Cells(0, 2), "Unpaid Arrears Administration Fees");
    // It stays in the payout: it cannot be returned to the outstanding fees.
    dialog->stgAllocatedFees->SelectRow(2);
    EXPECT_FALSE(dialog->btnAllocatedFees->isEnabled());
    const auto words = PrintedWords(*dialog);
    EXPECT_EQ(test::WordsAt(words, 1, 157), "Fees: $35.00");
    EXPECT_EQ(test::WordsAt(words, 1, 215), "Outstanding Full Fees $0.00");
    EXPECT_EQ(test::WordsAt(words, 1, 220), "Unpaid Arrears Administration Fees $35.00");
    EXPECT_EQ(test::WordsAt(words, 1, 230), "Subtotal: $35.00");
}

TEST_F(PayoutNotice, InstalmentFeesStillRunningAreOfferedAndMovedBothWays) {
    AddFees();
    SetLedgerDay(smith, today, 1000.00, 50.00, 12.34);
    TPayoutFigures figures;
    ASSERT_TRUE(figures.Recalculate(smith, today, true));
    // Remaining instalments times the instalment; two fees of one description both come, the
    // fee stopped before the date does not.
    using Lines = std::vector<std::pair<std::string, Currency>>;
    EXPECT_EQ(LinesOf(figures.OutstandingFees()), (Lines{{"Council Rates", Money(800.04)},
                                                         {"Water Rates", Money(300.00)},
                                                         {"Water Rates", Money(80.00)}}));

    ASSERT_TRUE(figures.Allocate(LineOf(figures.OutstandingFees(), 2)));
    ASSERT_TRUE(figures.Allocate(LineOf(figures.OutstandingFees(), 0)));
    EXPECT_EQ(LinesOf(figures.AllocatedFees()), (Lines{{"Outstanding Full Fees", Money(50)},
                                                       {"Council Rates", Money(800.04)},
                                                       {"Water Rates", Money(80.00)}}));
    EXPECT_EQ(figures.FeesPenalties(), Money(930.04));
    EXPECT_EQ(figures.PayoutFigure(), Money(1942.38));
    ASSERT_TRUE(figures.Unallocate(LineOf(figures.AllocatedFees(), 1)));
    EXPECT_EQ(figures.FeesPenalties(), Money(130));
    EXPECT_EQ(figures.OutstandingFees().Count(), 2);

    // Another date keeps the user's break costs and starts the fees over; another loan drops
    // the break costs.
    AddBreakCost(figures, "Break Fee", 100.00);
    SetLedgerDay(smith, today + 1, 990.00, 0, 1.00);
    ASSERT_TRUE(figures.Recalculate(smith, today + 1, false));
    EXPECT_EQ(LinesOf(figures.BreakCosts()),
              (Lines{{"Break Fee", Money(100)}, {"Outstanding Interest", Money(1)}}));
    EXPECT_EQ(figures.OutstandingFees().Count(), 3);
    EXPECT_EQ(figures.PayoutFigure(), Money(1091));
    ASSERT_TRUE(figures.Recalculate(lee, today, true));
    EXPECT_EQ(figures.BreakCosts().Count(), 1);
    EXPECT_EQ(figures.OutstandingFees().Count(), 0);

    // A date the ledger has no day for leaves no figure standing.
    EXPECT_FALSE(figures.Recalculate(smith, EncodeDate(2060, 1, 1), false));
    EXPECT_FALSE(figures.Calculated());
    EXPECT_EQ(figures.PayoutFigure(), Currency());
    EXPECT_EQ(figures.BreakCosts().Count(), 0);
}

TEST_F(PayoutNotice, TheDialogShowsTheFiguresAndTheUsersChoices) {
    AddFees();
    SetLedgerDay(smith, today, 1000.00, 50.00, 12.34);
    auto dialog = CreateReport<TfmReportPayoutNotice>();
    EXPECT_EQ(dialog->windowTitle(), "Notice of Payout");
    EXPECT_EQ(dialog->edtEffectiveDate->Date(), today);
    EXPECT_FALSE(dialog->fmeCustomHeaderFrame1->AddButton()->isEnabled());
    EXPECT_FALSE(dialog->btnOutstandingFees->isEnabled());
    // A click on the empty break-cost list leaves Add off while no loan is chosen.
    dialog->fmeCustomHeaderFrame1->GridClick();
    EXPECT_FALSE(dialog->fmeCustomHeaderFrame1->AddButton()->isEnabled());

    dialog->SelectMortgage(&smith);
    EXPECT_EQ(Shown(*dialog, "edtLoanBalance"), "$1,000.00");
    EXPECT_EQ(Shown(*dialog, "edtFeesPenalties"), "$50.00");
    EXPECT_EQ(Shown(*dialog, "edtBreakCosts"), "$12.34");
    EXPECT_TRUE(dialog->fmeCustomHeaderFrame1->AddButton()->isEnabled());
    EXPECT_TRUE(dialog->btnOutstandingFees->isEnabled());
    // Only the full-fee line is allocated, and it is the row chosen.
    EXPECT_EQ(dialog->stgAllocatedFees->Cells(0, 1), "Outstanding Full Fees");
    EXPECT_FALSE(dialog->btnAllocatedFees->isEnabled());

    ExpectBreakCostDialog("Break Fee", "100");
    dialog->fmeCustomHeaderFrame1->AddButton()->click();
    EXPECT_EQ(Shown(*dialog, "edtBreakCosts"), "$112.34");
    EXPECT_EQ(Shown(*dialog, "edtPayoutFigure"), "$1,162.34");
    EXPECT_FALSE(DataModified()); // break costs are never part of the loan book

    // Council Rates (the first row) into the payout; the full-fee line stays first.
    dialog->stgOutstandingFees->SelectRow(1);
    dialog->btnOutstandingFees->click();
    EXPECT_EQ(dialog->stgAllocatedFees->Cells(0, 1), "Outstanding Full Fees");
    EXPECT_EQ(dialog->stgAllocatedFees->Cells(0, 2), "Council Rates");
    EXPECT_EQ(Shown(*dialog, "edtFeesPenalties"), "$850.04");
    EXPECT_EQ(Shown(*dialog, "edtPayoutFigure"), "$1,962.38");
    dialog->stgAllocatedFees->SelectRow(1);
    EXPECT_FALSE(dialog->btnAllocatedFees->isEnabled());
    dialog->btnAllocatedFees->click(); // refused even when pressed
    EXPECT_EQ(dialog->Figures().AllocatedFees().Count(), 2);
    dialog->stgAllocatedFees->SelectRow(2);
    ASSERT_TRUE(dialog->btnAllocatedFees->isEnabled());
    dialog->btnAllocatedFees->click();
    EXPECT_EQ(Shown(*dialog, "edtFeesPenalties"), "$50.00");
    EXPECT_EQ(dialog->Figures().OutstandingFees().Count(), 3);

    // Another loan: its own figures, the break fee gone.
    dialog->SelectMortgage(&lee);
    EXPECT_EQ(dialog->Figures().BreakCosts().Count(), 1);
    EXPECT_FALSE(dialog->btnOutstandingFees->isEnabled());
}

TEST_F(PayoutNotice, ADateWithNoFiguresSaysWhyAndShowsTodaysAtOnce) {
    SetLedgerDay(smith, today, 1000.00, 50.00, 12.34);
    SetLedgerDay(smith, today - 30, 2000.00, 0, 5.00);
    auto dialog = DialogFor(smith);
    dialog->edtEffectiveDate->SetDate(today - 30);
    emit dialog->edtEffectiveDate->editingFinished(); // typing ends: the date is taken
    EXPECT_EQ(dialog->Figures().EffectiveDate(), today - 30);
    EXPECT_EQ(Shown(*dialog, "edtLoanBalance"), "$2,000.00");

    const struct {
        double date;
        const char* message;
    } refused[] = {{EncodeDate(2060, 1, 1), FarAheadMessage},
                   {EncodeDate(2025, 1, 1), DrawDownMessage}};
    for (const auto& [date, message] : refused) {
        dialog->edtEffectiveDate->SetDate(today - 30);
        dialog->edtEffectiveDateCloseUp();
        prompter.Expect(PromptType::Error, PromptButtons::Ok, message, PromptAnswer::Ok);
        dialog->edtEffectiveDate->SetDate(date);
        dialog->edtEffectiveDateCloseUp();
        EXPECT_EQ(dialog->edtEffectiveDate->Date(), today);
        EXPECT_EQ(dialog->Figures().EffectiveDate(), today);
        EXPECT_EQ(Shown(*dialog, "edtLoanBalance"), "$1,000.00");
        EXPECT_EQ(Shown(*dialog, "edtPayoutFigure"), "$1,062.34");
        EXPECT_EQ(dialog->Figures().AllocatedFees().Count(), 1);
    }

    // A date typed and never taken is taken by Preview, and refused there.
    prompter.Expect(PromptType::Error, PromptButtons::Ok, FarAheadMessage, PromptAnswer::Ok);
    dialog->edtEffectiveDate->SetDate(EncodeDate(2060, 1, 1));
    dialog->btnPreview->click();
    EXPECT_EQ(dialog->edtEffectiveDate->Date(), today);
    EXPECT_EQ(windows.shown(), 0);

    // Printing on the draw-down day itself is refused; nothing is built.
    prompter.Expect(PromptType::Error, PromptButtons::Ok, DrawDownMessage, PromptAnswer::Ok);
    dialog->edtEffectiveDate->SetDate(smith.Contract->PossessionDate.value);
    dialog->btnPreview->click();
    EXPECT_EQ(windows.shown(), 0);
}

TEST_F(PayoutNotice, PrintedNoticeReadsBackFromThePdf) {
    SetLedgerDay(smith, today, 1000.00, 50.00, 12.34);
    auto dialog = DialogFor(smith);
    ExpectBreakCostDialog("Break Fee", "100");
    dialog->fmeCustomHeaderFrame1->AddButton()->click();

    const QString pdf = test::TestOutputFile(".pdf");
    const PrintDialogRunner previous = SetPrintDialogRunner([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return true;
    });
    EXPECT_TRUE(dialog->btnPrintClick());
    SetPrintDialogRunner(previous);

    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    // The closing no longer fits under the details: it starts the second page.
    EXPECT_EQ(info.Pages, 2);
    EXPECT_EQ(info.Title, "Notice of Payout");
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 115),
              "The payout figure is based upon all the items listed below, paid in full by the "
              "01/03/2026 . This figure will");
    EXPECT_EQ(test::WordsAt(words, 1, 140), "Payout Summary");
    EXPECT_EQ(test::WordsAt(words, 1, 150), "Balance: $1,000.00");
    EXPECT_EQ(test::WordsAt(words, 1, 157), "Fees: $50.00");
    EXPECT_EQ(test::WordsAt(words, 1, 164), "Break Costs: $112.34");
    EXPECT_EQ(test::WordsAt(words, 1, 171), "Payout Figure: $1,162.34");
    const test::PdfWord* figure = test::FindWord(words, 1, "$1,162.34");
    ASSERT_NE(figure, nullptr);
    EXPECT_NEAR(figure->XMin, 110 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_EQ(test::WordsAt(words, 1, 185), "Payout Details");
    EXPECT_EQ(test::WordsAt(words, 1, 195), "Balance (as of 01/03/2026)");
    EXPECT_EQ(test::WordsAt(words, 1, 200), "Subtotal: $1,000.00");
    EXPECT_EQ(test::WordsAt(words, 1, 210), "Fees");
    EXPECT_EQ(test::WordsAt(words, 1, 215), "Outstanding Full Fees $50.00");
    EXPECT_EQ(test::WordsAt(words, 1, 225), "Subtotal: $50.00");
    EXPECT_EQ(test::WordsAt(words, 1, 235), "Break Costs");
    EXPECT_EQ(test::WordsAt(words, 1, 240), "Break Fee $100.00");
    EXPECT_EQ(test::WordsAt(words, 1, 245), "Outstanding Interest $12.34");
    EXPECT_EQ(test::WordsAt(words, 1, 250), "Subtotal: $112.34");
    EXPECT_EQ(test::WordsAt(words, 1, 260), "Total Payout (as of 01/03/2026): $1,162.34");
    EXPECT_EQ(test::WordsAt(words, 2, 80), "Please verify all figures. If you believe there is "
                                           "an error, or should you have any queries regarding "
                                           "this");
    EXPECT_EQ(test::WordsAt(words, 2, 95), "Regards");
    EXPECT_EQ(test::WordsAt(words, 2, 100), "Jane Citizen");
    EXPECT_EQ(test::WordsAt(words, 1, 95), "Reference No: 0000042 BSB / Account No: 064-000 / "
                                           "12340042");
    EXPECT_FALSE(test::RenderPdfPage(pdf, 1, 60).isNull());
}

TEST_F(PayoutNotice, ALongBreakCostListRunsOnToTheNextPage) {
    SetLedgerDay(smith, today, 1000.00, 0, 12.34);
    TPayoutFigures figures;
    ASSERT_TRUE(figures.Recalculate(smith, today, true));
    for (int i = 1; i <= 40; ++i)
        AddBreakCost(figures, QString("Cost %1").arg(i, 2, 10, QChar('0')).toStdString(), 10.0 * i);
    figures.SumBreakCosts();
    test::TestReport report(
        test::FormKind<TfmCustomClientReport>(), "Notice of Payout", &smith,
        [&](TfmCustomPrintedReport& form) { DrawPayoutNoticeBody(form, figures); });
    TPqPreviewModel preview;
    BuildDocument(report, preview);
    ASSERT_EQ(preview.PageCount(), 3);
    // 41 rows with the interest: more than a page holds, so the list stays under its heading
    // at 235 mm; page 1 ends with the sixth cost at 265 mm, page 2 goes on from 70 mm
    // (Cost 40 at 70 + 33 x 5 = 235 mm) and closes the list; the closing takes page 3.
    const auto first = test::TextsOn(preview.GetPage(1));
    EXPECT_NEAR(test::FindOne(first, "Break Costs").Y, 235, test::MillimetreTolerance);
    EXPECT_NEAR(test::FindOne(first, "Cost 06").Y, 265, test::MillimetreTolerance);
    const auto second = test::TextsOn(preview.GetPage(2));
    EXPECT_NEAR(test::FindOne(second, "Cost 07").Y, 70, test::MillimetreTolerance);
    EXPECT_NEAR(test::FindOne(second, "Outstanding Interest").Y, 240, test::MillimetreTolerance);
    const test::PlacedText total = test::FindOne(second, "Total Payout (as of 01/03/2026):");
    EXPECT_NEAR(total.Y, 255, test::MillimetreTolerance);
    EXPECT_EQ(total.Style, fsBold);
    // 1,000.00 + 10 x (1 + ... + 40) = 8,200.00 + 12.34 interest.
    EXPECT_EQ(test::FindOne(second, "$9,212.34").Size, 10);
    EXPECT_NEAR(test::FindOne(test::TextsOn(preview.GetPage(3)), "Regards").Y, 95,
                test::MillimetreTolerance);
}

TEST_F(PayoutNotice, TheRegistryOpensItWithTheOpenersLoanAndItsPreviewAndLooks) {
    SetLedgerDay(lee, today, 1000.00, 50.00, 12.34);
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    ASSERT_TRUE(IsWindowRegistered("TfmReportPayoutNotice"));
    windows.Expect([&](QDialog& window) {
        auto& payout = dynamic_cast<TfmReportPayoutNotice&>(window);
        EXPECT_EQ(payout.Mortgage(), &lee);
        EXPECT_EQ(Shown(payout, "edtPayoutFigure"), "$1,062.34");
        payout.show();
        QApplication::processEvents();
        EXPECT_TRUE(payout.grab().toImage().save(test::TestOutputFile("_dialog.png")));
        windows.Expect([](QDialog& preview) {
            preview.resize(648, 522);
            preview.show();
            QApplication::processEvents();
            EXPECT_TRUE(preview.grab().toImage().save(test::TestOutputFile("_preview.png")));
            EXPECT_EQ(dynamic_cast<TfmPrintedReportWindow&>(preview).Preview().PageCount(), 2);
            return QDialog::Rejected;
        });
        payout.btnPreview->click();
        return QDialog::Rejected;
    });
    WindowRequest request;
    request.loanNumber = "0000043";
    OpenWindow("TfmReportPayoutNotice", request);
}

} // namespace
} // namespace duebell
