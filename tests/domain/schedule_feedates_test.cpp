#include "domain/feedates.h"
#include "ledger_fixtures.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

// The loan: drawn down on Wednesday 15/03/2023 with monthly payments: payment dates 15/04 (a
// Saturday), 15/05, 15/06, 15/07 (a Saturday), 15/08 (a Tuesday).
class FeeDates : public ::testing::Test {
protected:
    EngineBook book;
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2023, 3, 15), Cents(10000000), 7.3, "Monthly", 1);
};

TEST_F(FeeDates, FullFeeOfAListedTypeFallsDueAfterItsNoticeOnABusinessDay) {
    book.AddFeeType("Valuation", 14);
    book.AddFeeType("Legal", 2);
    // Wednesday 10/07/2024 + 14 days: Wednesday 24/07/2024.
    EXPECT_EQ(book.AddFullFee(loan, 1, Day(2024, 7, 10), "Valuation", Cents(50000)).EffectiveFrom(),
              Day(2024, 7, 24));
    // Thursday 11/07/2024 + 2 days is a Saturday: the Monday.
    EXPECT_EQ(book.AddFullFee(loan, 2, Day(2024, 7, 11), "Legal", Cents(50000)).EffectiveFrom(),
              Day(2024, 7, 15));
}

TEST_F(FeeDates, FullFeeOfAnUnlistedTypeFallsDueOnItsOwnDateEvenOnAWeekend) {
    book.AddFeeType("Valuation", 14);
    EXPECT_EQ(book.AddFullFee(loan, 1, Day(2024, 7, 13), "valuation", Cents(50000)).EffectiveFrom(),
              Day(2024, 7, 13));
}

TEST_F(FeeDates, InstalmentFeeChargedOnTheDrawDownDateWithNoNoticeStartsThatDay) {
    TMorvaneInstallmentFee& fee = book.AddInstalmentFee(loan, "Insurance", Day(2023, 3, 15), 2, 50);
    EXPECT_EQ(fee.FirstPaymentDate(), Day(2023, 3, 15));
    // The second payment date, 15/04/2023, is a Saturday.
    EXPECT_EQ(fee.LastPaymentDate(), Day(2023, 4, 17));
}

TEST_F(FeeDates, InstalmentFeeStartsOnThePaymentDateAfterItsNotice) {
    book.Config().SystemConfiguration->InstallmentFeePeriod = 30;
    // 20/04/2023 + 30 days = 20/05/2023; the next payment date is 15/06/2023, and the third
    // payment from there 15/08/2023.
    TMorvaneInstallmentFee& fee = book.AddInstalmentFee(loan, "Insurance", Day(2023, 4, 20), 3, 50);
    EXPECT_EQ(fee.FirstPaymentDate(), Day(2023, 6, 15));
    EXPECT_EQ(fee.LastPaymentDate(), Day(2023, 8, 15));
}

TEST_F(FeeDates, ArrearsAdministrationFeeAndAFeeWithoutALoanHaveNoDates) {
    TMorvaneInstallmentFee& admin =
        book.AddInstalmentFee(loan, "Arrears Administration Fee", Day(2023, 3, 15), 2, 50);
    EXPECT_EQ(admin.FirstPaymentDate(), TDate());
    EXPECT_EQ(admin.LastPaymentDate(), TDate());

    std::unique_ptr<TMorvaneInstallmentFee> loose(CreateItem<TMorvaneInstallmentFee>(nullptr));
    loose->TransactionDate = Day(2023, 3, 15);
    loose->NumberOfPayments = 2;
    EXPECT_EQ(loose->FirstPaymentDate(), TDate());
    EXPECT_EQ(loose->LastPaymentDate(), TDate());
}

TEST_F(FeeDates, RateChangeTakesEffectTheDayAfterThePaymentDateThatEndsItsNotice) {
    loan.RateChangePeriod = 30;
    // 01/06/2023 + 30 days = 01/07/2023; next payment date 15/07/2023 (a Saturday, not
    // moved); effective the day after.
    EXPECT_EQ(book.AddRateChange(loan, Day(2023, 6, 1), 8).EffectiveFrom(), Day(2023, 7, 16));
    // A notice ending on a payment date takes that date.
    EXPECT_EQ(book.AddRateChange(loan, Day(2023, 7, 16), 8).EffectiveFrom(), Day(2023, 8, 16));
}

TEST_F(FeeDates, RateChangeOfALoanNotInTheBookHasNoDate) {
    TMorvaneRateChange& change = book.AddRateChange(loan, Day(2023, 6, 1), 8);
    // The rate history now names a loan the book does not hold.
    static_cast<TMorvaneMortgageRate*>(change.Owner())->LoanNumber = "0000009";
    EXPECT_EQ(change.EffectiveFrom(), TDate());
}

} // namespace
} // namespace duebell::enginetest
