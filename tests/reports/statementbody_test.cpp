// The statement of account drawn without a window, its figures worked by hand: a loan of
// $10,000.00 at 7.3 % (exactly $2.00 of interest a day, a 365-day year) drawn on Sunday
// 15 March 2026, paid monthly on the 15th, statements quarterly, with one payment of $500.00 on
// 20 April. Interest posts monthly: 31 days x $2.00 = $62.00 on 15 April; then 5 days on
// $10,062.00 ($2.0124 a day) and 25 days on $9,562.00 ($1.9124 a day) give $57.872 on 15 May.
// The instalment on 300 monthly payments is $72.60.
#include "controls/tcolor.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "objectlist/datetime.h"
#include "print/shapes.h"
#include "reportbook.h"
#include "reports/statementbody.h"
#include "reports/statementperiods.h"
#include "reporttestsupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

using test::PlacedText;

double Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

class StatementBody : public ::testing::Test {
protected:
    StatementBody() {
        TMorvaneContract& contract = *loan.Contract;
        contract.PossessionDate = TDate(Day(2026, 3, 15));
        contract.ContractAmount = Currency::fromUnits(12000);
        contract.Deposit = Currency::fromUnits(2000);
        contract.ReferenceRate = TPercentage{Currency::fromDouble(7.3)};
        AddPayment(Day(2026, 4, 20), Currency::fromUnits(500));
    }

    void AddPayment(double date, Currency amount) { test::AddPayment(loan, date, amount); }

    // Statement `number` of the loan, its ledger built afresh; the texts of each page.
    std::vector<std::vector<PlacedText>> Build(int number) {
        loan.BuildLedger();
        preview = std::make_unique<TPqPreviewModel>();
        test::TestReport report(test::FormKind<TfmCustomClientReport>(), "Statement of Accounts",
                                &loan, [&](TfmCustomPrintedReport& form) {
                                    totals = DrawStatementBody(
                                        form, loan, StatementPeriodOf(*loan.Contract, number));
                                });
        BuildDocument(report, *preview);
        std::vector<std::vector<PlacedText>> pages;
        for (int page = 1; page <= preview->PageCount(); ++page)
            pages.push_back(test::TextsOn(preview->GetPage(page)));
        return pages;
    }

    // The text that starts at (x, y), or "<none>".
    static std::string At(const std::vector<PlacedText>& texts, double x, double y) {
        for (const PlacedText& text : texts)
            if (std::abs(text.X - x) < 0.01 && std::abs(text.Y - y) < 0.01)
                return text.Text;
        return "<none>";
    }
    // The table's row at y: date, description, rate, type, debit, credit, balance.
    static std::vector<std::string> Row(const std::vector<PlacedText>& texts, double y) {
        std::vector<std::string> row;
        for (double x : {20, 40, 90, 105, 125, 145, 165})
            row.push_back(At(texts, x, y));
        return row;
    }
    // The tops of the shaded row backgrounds of a page, millimetres.
    std::vector<double> ShadedRows(int page) const {
        std::vector<double> tops;
        const TPqPage& shown = preview->GetPage(page);
        for (int i = 0; i < shown.ObjectCount(); ++i)
            if (const auto* shade = dynamic_cast<const TPqRectangleShape*>(&shown.Objects(i)))
                if (shade->Flagged()) {
                    EXPECT_EQ(shade->BrushRef()->Color(), RGB(229, 229, 229));
                    EXPECT_NEAR(ConvertValue(pqInches, pqMillimeters, shade->X1()), 30, 0.01);
                    // 20 mm inside the paper's right edge (A4 kept as 8.26 inches wide).
                    EXPECT_NEAR(ConvertValue(pqInches, pqMillimeters, shade->X2()), 190, 0.25);
                    tops.push_back(
                        std::round(ConvertValue(pqInches, pqMillimeters, shade->Y1()) * 100 + 50) /
                        100);
                }
        return tops;
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    std::unique_ptr<TPqPreviewModel> preview;
    TStatementTotals totals;
};

using Cells = std::vector<std::string>;
const std::string None = "<none>";

TEST_F(StatementBody, TheFirstQuarterShowsTheLedgersFiguresWorkedByHand) {
    const auto pages = Build(1);
    ASSERT_EQ(pages.size(), 2u); // the closing paragraph no longer fits under the key
    const auto& page = pages[0];

    const PlacedText period =
        test::FindOne(page, "Statement No. 1:  From 15/03/2026 to 14/06/2026");
    EXPECT_NEAR(period.Y, 50, 0.01);
    EXPECT_EQ(period.Size, 10);
    const PlacedText summary = test::FindOne(page, "Account Summary");
    EXPECT_NEAR(summary.Y, 115, 0.01);
    EXPECT_EQ(summary.Size, 12);
    EXPECT_EQ(summary.Style, fsBold | fsUnderline);

    // The rate and payment of 13 June, the day before the period's last.
    EXPECT_EQ(At(page, 55, 125), "Current Annual Rate:");
    EXPECT_EQ(At(page, 135, 125), "7.3%");
    EXPECT_EQ(At(page, 55, 132), "Payment Amount:");
    EXPECT_EQ(At(page, 135, 132), "$72.60");
    EXPECT_EQ(At(page, 55, 139), "Due:");
    EXPECT_EQ(At(page, 135, 139), "15th of the Month");

    EXPECT_EQ(Row(page, 150),
              (Cells{"Date", "Description", "Rate", "Type", "Debit", "Credit", "Balance"}));
    // No day before the draw-down: the draw-down day's own balance opens the statement.
    EXPECT_EQ(Row(page, 160),
              (Cells{"15/03/2026", "Opening Balance", "7.30%", None, None, None, "$10,000.00"}));
    EXPECT_EQ(test::FindOne(page, "Opening Balance").Style, fsBold);
    EXPECT_EQ(Row(page, 165),
              (Cells{"15/04/2026", "Interest", None, "Acct", "$62.00", None, "$10,062.00"}));
    EXPECT_EQ(Row(page, 170),
              (Cells{"20/04/2026", "Payment", None, "Acct", None, "$500.00", "$9,562.00"}));
    EXPECT_EQ(Row(page, 175),
              (Cells{"15/05/2026", "Interest", None, "Acct", "$57.87", None, "$9,619.87"}));
    EXPECT_EQ(Row(page, 180),
              (Cells{"14/06/2026", "Closing Balance", "7.30%", None, None, None, "$9,619.87"}));
    EXPECT_EQ(test::FindOne(page, "Closing Balance").Style, fsBold);
    EXPECT_EQ(test::FindOne(page, "20/04/2026").Style, 0);
    EXPECT_EQ(ShadedRows(1), (std::vector<double>{165, 175}));

    EXPECT_EQ(totals.LoanPayments, Currency::fromUnits(500));
    EXPECT_EQ(totals.Interest, Currency::fromDouble(119.872));
    EXPECT_EQ(Row(page, 190),
              (Cells{None, "Total Payment Transactions", None, None, None, "$500.00", None}));
    EXPECT_EQ(Row(page, 195),
              (Cells{None, "Total Interest Transactions", None, None, "$119.87", None, None}));
    EXPECT_EQ(Row(page, 200), (Cells{None, "Total Instalment Fee Transactions", None, None, "$0.00",
                                     "$0.00", None}));
    EXPECT_EQ(Row(page, 205),
              (Cells{None, "Total Full Fee Transactions", None, None, "$0.00", "$0.00", None}));

    // The key under the totals: fourteen terms 3 mm apart, each led by its dots.
    const PlacedText key = test::FindOne(page, "Key:");
    EXPECT_NEAR(key.Y, 215, 0.01);
    EXPECT_EQ(key.Size, 8);
    EXPECT_EQ(At(page, 105, 220), "  - Indicates an payment or interest charge.");
    EXPECT_EQ(At(page, 30, 226).substr(0, 20), "Closing Balance . . ");
    EXPECT_EQ(At(page, 30, 226).size(), std::string("Closing Balance").size() + 2 * 42);
    EXPECT_EQ(At(page, 105, 259),
              "  - Indicates the initial, final or changes to the annual interest rate.");

    const auto& last = pages[1];
    EXPECT_EQ(At(last, 20, 80), "Please verify all figures. If you believe there is an error, or "
                                "should you have any queries regarding this");
    EXPECT_EQ(At(last, 20, 95), "Regards");
    EXPECT_EQ(At(last, 20, 100), "Jane Citizen");
    EXPECT_EQ(At(last, 20, 105), "Bellwether Finance");
    EXPECT_EQ(test::Find(last, "Reference No:").size(), 0u); // the client block: page 1 only
}

TEST_F(StatementBody, ALaterStatementOpensWithThePreviousDaysBalance) {
    const auto pages = Build(2);
    // The balance at the end of 14 June, the last day of statement 1.
    EXPECT_EQ(Row(pages[0], 160),
              (Cells{"15/06/2026", "Opening Balance", "7.30%", None, None, None, "$9,619.87"}));
    EXPECT_EQ(test::FindOne(pages[0], "Statement No. 2:  From 15/06/2026 to 14/09/2026").Y, 50);
    EXPECT_EQ(totals.LoanPayments, Currency());
}

TEST_F(StatementBody, APeriodPastTheLedgersEndLeavesTheFiguresBlank) {
    // Statement 40 runs from 15/12/2035; the ledger ends about a year after today.
    const auto pages = Build(40);
    const auto& page = pages[0];
    EXPECT_EQ(Row(page, 160),
              (Cells{"15/12/2035", "Opening Balance", None, None, None, None, None}));
    EXPECT_EQ(At(page, 135, 125), None);
    EXPECT_EQ(At(page, 135, 132), None);
    EXPECT_EQ(At(page, 135, 139), "15th of the Month");
    // No rows: the totals straight under the opening row, all zero.
    EXPECT_EQ(Row(page, 170),
              (Cells{None, "Total Payment Transactions", None, None, None, "$0.00", None}));
    EXPECT_TRUE(ShadedRows(1).empty());
    EXPECT_NEAR(test::FindOne(page, "Key:").Y, 195, 0.01);
    // Below 160 mm the closing goes over to a page of its own.
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(At(pages[1], 20, 95), "Regards");
}

TEST_F(StatementBody, TwentyRowsFillAPageThenTheHeadsRepeatOnTheNext) {
    // A payment of $10.00 every fourth day from 16 March: 23 of them by 13 June, besides the
    // $500.00, two interest rows and the closing balance: 27 rows.
    for (double date = Day(2026, 3, 16); date <= Day(2026, 6, 13); date += 4)
        AddPayment(date, Currency::fromUnits(10));
    const auto pages = Build(1);
    ASSERT_GE(pages.size(), 2u);
    const auto& first = pages[0];
    for (int row = 0; row < 20; ++row)
        EXPECT_NE(At(first, 20, 165 + 5 * row), None) << "row " << row + 1;
    EXPECT_EQ(At(first, 20, 265), None);
    EXPECT_EQ(ShadedRows(1).size(), 10u);
    EXPECT_EQ(ShadedRows(1).back(), 255);

    const auto& second = pages[1];
    EXPECT_EQ(Row(second, 80),
              (Cells{"Date", "Description", "Rate", "Type", "Debit", "Credit", "Balance"}));
    EXPECT_EQ(test::FindOne(second, "Description").Style, fsBold);
    for (int row = 0; row < 7; ++row)
        EXPECT_NE(At(second, 20, 90 + 5 * row), None) << "row " << row + 21;
    EXPECT_EQ(Row(second, 120)[1], "Closing Balance");
    EXPECT_EQ(At(second, 20, 125), None);
    // Shading starts afresh on the new page, and its first row is in the regular font.
    EXPECT_EQ(ShadedRows(2), (std::vector<double>{90, 100, 110, 120}));
    EXPECT_EQ(test::Find(second, "Payment").front().Style, 0);
    // The totals follow the last row on the second page.
    EXPECT_EQ(At(second, 40, 130), "Total Payment Transactions");
    EXPECT_EQ(At(second, 145, 130), "$730.00"); // $500.00 and 23 x $10.00
}

TEST_F(StatementBody, EveryKindOfMovementHasItsColumnCodeAndTotal) {
    // On 2 April an arrears administration fee of $50.00 and a full fee of $200.00; on 6 April
    // $80.00 paid ($50.00 to the administration fee, $30.00 to the loan) and $120.00 against
    // the full fee. A day's rows follow the kinds of movement in the ledger's order.
    auto admin = MakeItem<TMorvaneAdminFeeTransaction>(&loan);
    admin->TransactionDate = TDateTime(Day(2026, 4, 2));
    admin->DateAdded = TDateTime(Day(2026, 4, 2) + 0.5);
    admin->FeeDescription = "Arrears";
    admin->FeeAmount = Currency::fromUnits(50);
    admin->AmountLeft = admin->FeeAmount;
    loan.AdminFeeTransactions->Add(std::move(admin));
    auto fee = MakeItem<TMorvaneFeeTransaction>(&loan);
    fee->FeeNumber = 1;
    fee->TransactionDate = TDate(Day(2026, 4, 2));
    fee->FeeDescription = "Valuation";
    fee->FeeAmount = Currency::fromUnits(200);
    fee->DateAdded = TDateTime(Day(2026, 4, 2) + 0.6);
    auto feePayment = MakeItem<TMorvaneFeePayment>(fee.get());
    feePayment->TransactionDate = TDateTime(Day(2026, 4, 6));
    feePayment->FeePaymentAmount = Currency::fromUnits(120);
    feePayment->DateAdded = TDateTime(Day(2026, 4, 6) + 0.6);
    fee->FeePayments->Add(std::move(feePayment));
    loan.FeeTransactions->Add(std::move(fee));
    AddPayment(Day(2026, 4, 6), Currency::fromUnits(80));

    const auto pages = Build(1);
    const auto& page = pages[0];
    std::vector<Cells> rows;
    for (double y = 165; y <= 260; y += 5)
        if (At(page, 20, y) != None)
            rows.push_back(Row(page, y));
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0], (Cells{"02/04/2026", "Valuation", None, "FFee", "$200.00", None, None}));
    EXPECT_EQ(rows[1], (Cells{"02/04/2026", "Arrears Admin Fee - Arrears", None, "Adm", "$50.00",
                              None, "$10,000.00"}));
    EXPECT_EQ(rows[2], (Cells{"06/04/2026", "Payment", None, "Acct", None, "$30.00", None}));
    EXPECT_EQ(rows[3],
              (Cells{"06/04/2026", "Payment - Valuation", None, "FFee", None, "$120.00", None}));
    EXPECT_EQ(rows[4], (Cells{"06/04/2026", "Arrears Admin Fee - Arrears", None, "Adm", None,
                              "$50.00", "$9,970.00"}));
    EXPECT_EQ(totals.Fees, Currency::fromUnits(50));
    EXPECT_EQ(totals.FeePayments, Currency::fromUnits(50));
    EXPECT_EQ(totals.FullFees, Currency::fromUnits(200));
    EXPECT_EQ(totals.FullFeePayments, Currency::fromUnits(120));
    EXPECT_EQ(totals.LoanPayments, Currency::fromUnits(530));
}

TEST_F(StatementBody, InstalmentFeesAddToThePaymentAndTheirTotals) {
    auto fee = MakeItem<TMorvaneInstallmentFee>(&loan);
    fee->FeeDescription = "Insurance";
    fee->TransactionDate = TDate(Day(2026, 3, 15));
    fee->NumberOfPayments = 12;
    fee->PaymentAmount = 10.5;
    TMorvaneInstallmentFee& running = *loan.InstallmentFees->Add(std::move(fee));
    auto ended = MakeItem<TMorvaneInstallmentFee>(&loan);
    ended->FeeDescription = "Survey";
    ended->TransactionDate = TDate(Day(2026, 3, 15));
    ended->NumberOfPayments = 2; // its last payment date is 15 April
    ended->PaymentAmount = 4;
    loan.InstallmentFees->Add(std::move(ended));

    const auto pages = Build(1);
    EXPECT_EQ(At(pages[0], 135, 132), "$83.10"); // $72.60 and the running fee's $10.50
    // A fee is charged the day after a payment date for the next one: the running fee on
    // 16 March, 16 April and 16 May, the ended one on 16 March only. The $500.00 of 20 April
    // settles the $25.00 of fee arrears first.
    EXPECT_EQ(totals.Fees, Currency::fromDouble(3 * 10.5 + 4));
    EXPECT_EQ(totals.FeePayments, Currency::fromUnits(25));
    EXPECT_EQ(totals.LoanPayments, Currency::fromUnits(475));
    const auto charges = test::Find(pages[0], "Insurance");
    ASSERT_EQ(charges.size(), 4u); // three charges and one payment
    EXPECT_EQ(At(pages[0], 105, charges[0].Y), "IFee");
    EXPECT_EQ(At(pages[0], 125, charges[0].Y), "$10.50");

    // Stopped before the rate day, the running fee no longer counts in the payment.
    running.StopLastPaymentDate = TDateTime(Day(2026, 5, 15));
    EXPECT_EQ(At(Build(1)[0], 135, 132), "$72.60");
}

TEST(StatementDue, FollowsThePaymentPeriodAndThePossessionDay) {
    TMorvaneContract contract(nullptr);
    const std::tuple<const char*, int, const char*> cases[] = {
        {"Weekly", 12, "Weekly"},
        {"Fortnightly", 3, "Fortnightly"},
        {"Monthly", 1, "1st of the Month"},
        {"Monthly", 2, "2nd of the Month"},
        {"Monthly", 3, "3rd of the Month"},
        {"Monthly", 4, "4th of the Month"},
        {"Monthly", 11, "11th of the Month"},
        {"Monthly", 12, "12th of the Month"},
        {"Monthly", 13, "13th of the Month"},
        {"Monthly", 21, "21st of the Month"},
        {"Monthly", 22, "22nd of the Month"},
        {"Monthly", 23, "23rd of the Month"},
        {"Monthly", 31, "31st of the Month"},
        {"Yearly", 5, ""},
    };
    for (const auto& [period, day, text] : cases) {
        contract.PaymentPeriod = period;
        contract.PossessionDate = TDate(EncodeDate(2025, 1, day));
        EXPECT_EQ(StatementDueText(contract), text);
    }
}

} // namespace
} // namespace duebell
