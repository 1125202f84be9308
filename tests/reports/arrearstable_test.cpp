// The "Arrears Details" table, drawn from ledger days whose figures the tests set by hand:
// its rows and places, arrears never below zero, the fees still owed and instalment-fee arrears
// in the total, nothing at all for a day the ledger does not have, and the canvas it leaves.
#include "domain/computedrecords.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "reportbook.h"
#include "reports/arrearstable.h"
#include "reporttestsupport.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FormKind;
using test::PlacedText;
using test::ReportToday;

Currency Dollars(double amount) {
    return Currency::fromDouble(amount);
}

class ArrearsTable : public ::testing::Test {
protected:
    // Sets the figures of a ledger day (they last until the ledger is built again).
    void SetDay(double date, double balance, double shadow, double instalmentFees) {
        auto* day = static_cast<TMorvaneLocalTransactionDay*>(
            loan.LocalTransactionDays->LocateNoMove(Variant(TDate(date))));
        ASSERT_NE(day, nullptr);
        day->Balance = Dollars(balance);
        day->ShadowBalance = Dollars(shadow);
        day->TotalInstallmentPenalties = Dollars(instalmentFees);
    }
    // An arrears administration fee, in the ledger once it is built again.
    void ChargeFee(double date, double amount) {
        auto fee = MakeItem<TMorvaneAdminFeeTransaction>(&loan);
        fee->TransactionDate = TDateTime(date);
        fee->DateAdded = TDateTime(date + amount / 86400);
        fee->FeeAmount = Dollars(amount);
        loan.AdminFeeTransactions->Add(std::move(fee));
    }
    // Draws the table for `date` with its running position at 165 mm.
    std::vector<PlacedText> Draw(double date) {
        test::TestReport report(FormKind<TfmCustomClientReport>(), "Notice", &loan,
                                [&](TfmCustomPrintedReport& form) {
                                    before = form.Canvas().Page()->ObjectCount();
                                    DrawArrearsTable(loan, form, 165, date);
                                });
        BuildDocument(report, preview);
        std::vector<PlacedText> texts = test::TextsOn(preview.GetPage(1));
        texts.erase(texts.begin(), texts.begin() + before); // the frame's
        return texts;
    }
    void ExpectRow(const std::vector<PlacedText>& texts, const std::string& label,
                   const std::string& amount, double y, TFontStyles style) {
        const PlacedText left = test::FindOne(texts, label);
        const PlacedText right = test::FindOne(texts, amount);
        EXPECT_NEAR(left.X, 40, 0.01) << label;
        EXPECT_NEAR(right.X, 155, 0.01) << label;
        EXPECT_NEAR(left.Y, y, 0.01) << label;
        EXPECT_NEAR(right.Y, y, 0.01) << label;
        EXPECT_EQ(left.Style, style) << label;
        EXPECT_EQ(right.Style, style) << label;
        EXPECT_EQ(left.Size, 10) << label;
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TPqPreviewModel preview;
    int before = 0;
};

TEST_F(ArrearsTable, ShowsTheArrearsAndATotalWithTheInstalmentFeeArrears) {
    SetDay(ReportToday, 1000, 900, 25);
    const auto texts = Draw(ReportToday);
    ASSERT_EQ(texts.size(), 7u);
    const PlacedText title = test::FindOne(texts, "Arrears Details");
    EXPECT_NEAR(title.Y, 190, 0.01);
    EXPECT_EQ(title.Size, 12);
    EXPECT_EQ(title.Style, fsBold | fsUnderline);
    EXPECT_LT(title.X, 104.9);
    ExpectRow(texts, "Component", "Amount", 200, fsBold);
    ExpectRow(texts, "Arrears", "$100.00", 215, 0);
    ExpectRow(texts, "TOTAL Arrears", "$125.00", 225, fsBold);
    // The canvas as the notice goes on with it.
    TPqCanvas& canvas = preview.Canvas();
    EXPECT_EQ(canvas.Font().Size(), 10);
    EXPECT_EQ(canvas.Font().Style(), 0);
    EXPECT_EQ(canvas.CoordsRelativeTo(), pqFromPage);
}

TEST_F(ArrearsTable, ALoanAheadOfScheduleOwesNothing) {
    SetDay(ReportToday, 900, 1000, 0);
    const auto texts = Draw(ReportToday);
    const auto zeros = test::Find(texts, "$0.00"); // the arrears and the total
    ASSERT_EQ(zeros.size(), 2u);
    EXPECT_NEAR(zeros[0].Y, 215, 0.01);
    EXPECT_NEAR(zeros[1].Y, 225, 0.01);
    EXPECT_TRUE(test::Find(texts, "-$100.00").empty());
}

TEST_F(ArrearsTable, TheFeesStillOwedHaveTheirRowAndCountInTheTotal) {
    // The loan was never paid: yesterday's fee is owed as well as today's two, 70 + 50 + 55.
    ChargeFee(ReportToday - 1, 70);
    ChargeFee(ReportToday, 50);
    ChargeFee(ReportToday, 55);
    ChargeFee(ReportToday + 1, 80); // tomorrow's: not yet
    loan.BuildLedger();
    SetDay(ReportToday, 1234.56, 1000, 0);
    const auto texts = Draw(ReportToday);
    ExpectRow(texts, "Arrears Administration Fee", "$175.00", 210, 0);
    ExpectRow(texts, "Arrears", "$234.56", 215, 0);
    ExpectRow(texts, "TOTAL Arrears", "$409.56", 225, fsBold);
}

TEST_F(ArrearsTable, ADayTheLedgerDoesNotHaveDrawsNothingAndKeepsTheFont) {
    int size = 0;
    TFontStyles style = 0;
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Notice", &loan,
                            [&](TfmCustomPrintedReport& form) {
                                before = form.Canvas().Page()->ObjectCount();
                                form.Canvas().Font().SetSize(7);
                                form.Canvas().Font().SetStyle(fsBold);
                                // Before the draw-down: no ledger day.
                                DrawArrearsTable(loan, form, 165, EncodeDate(2025, 1, 1));
                                size = form.Canvas().Font().Size();
                                style = form.Canvas().Font().Style();
                            });
    BuildDocument(report, preview);
    EXPECT_EQ(preview.GetPage(1).ObjectCount(), before);
    EXPECT_EQ(size, 7);
    EXPECT_EQ(style, fsBold);
}

TEST_F(ArrearsTable, TheCoordinateBaseComesBackAsItWas) {
    SetDay(ReportToday, 1000, 900, 0);
    TPqCoordsRelative after = pqFromPage;
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Notice", &loan,
                            [&](TfmCustomPrintedReport& form) {
                                form.Canvas().SetCoordsRelativeTo(pqFromPrinterMargins);
                                DrawArrearsTable(loan, form, 165, ReportToday);
                                after = form.Canvas().CoordsRelativeTo();
                            });
    BuildDocument(report, preview);
    EXPECT_EQ(after, pqFromPrinterMargins);
    // The rows still measure from the paper's corner.
    EXPECT_NEAR(test::FindOne(test::TextsOn(preview.GetPage(1)), "TOTAL Arrears").Y, 225, 0.01);
}

} // namespace
} // namespace duebell
