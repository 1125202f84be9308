// Which days the ledger holds: from the draw-down date to the end of the term, or to the first
// statement date more than a year after today, whichever comes first.
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"

#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

TEST(LedgerSpan, TermEndingWithinAYearEndsTheLedgerOnItsLastDay) {
    EngineBook book;
    ScopedFixedClock clock(EncodeDate(2024, 1, 1) + 0.5);
    // Drawn on 15/03/2023 for one year: 15/03/2023 to Friday 15/03/2024, 367 days (2024 is a
    // leap year).
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2023, 3, 15), Cents(10000000), 7.3, "Monthly", 1);
    loan.BuildLedger();
    const std::vector<TLedgerDay>& days = loan.LocalTransactionDays.Ledger().Days();
    ASSERT_EQ(days.size(), 367u);
    EXPECT_EQ(days.front().Date, DayOf(Day(2023, 3, 15)));
    EXPECT_EQ(days.back().Date, DayOf(Day(2024, 3, 15)));
    for (std::size_t i = 1; i < days.size(); ++i) {
        ASSERT_EQ(days[i].Date, days[i - 1].Date + 1);
    }
}

TEST(LedgerSpan, LongTermEndsOnTheFirstStatementDateMoreThanAYearAhead) {
    EngineBook book;
    ScopedFixedClock clock(EncodeDate(2024, 1, 1) + 0.5);
    // Quarterly statements from Wednesday 15/03/2023; a year after today is 01/01/2025, and
    // the first statement date after it is 15/03/2025, a Saturday. That day ends the build;
    // its interest, added before the end, is posted on Monday 17/03/2025, which the build
    // made ahead and leaves as the last record.
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2023, 3, 15), Cents(10000000), 7.3, "Monthly", 25);
    loan.BuildLedger();
    const TLedger& ledger = loan.LocalTransactionDays.Ledger();
    const std::vector<TLedgerDay>& days = ledger.Days();
    ASSERT_GE(days.size(), 2u);
    EXPECT_EQ(days[days.size() - 2].Date, DayOf(Day(2025, 3, 15)));
    EXPECT_EQ(days.back().Date, DayOf(Day(2025, 3, 17)));
    EXPECT_EQ(ledger.Find(DayOf(Day(2025, 3, 16))), nullptr);
    const std::vector<TLedgerMovement> posted = MovementsOn(loan, Day(2025, 3, 17));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].Text, "Interest- Effective Date: 15/03/2025");
}

TEST(LedgerSpan, StatementDateOnABusinessDayIsTheLastRecord) {
    EngineBook book;
    ScopedFixedClock clock(EncodeDate(2024, 1, 1) + 0.5);
    // Monthly statements from Monday 15/05/2023: the first after 01/01/2025 is Wednesday
    // 15/01/2025.
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2023, 5, 15), Cents(10000000), 7.3, "Monthly", 25, "Monthly");
    loan.BuildLedger();
    EXPECT_EQ(loan.LocalTransactionDays.Ledger().Days().back().Date, DayOf(Day(2025, 1, 15)));
}

TEST(LedgerSpan, LedgerMovesWithToday) {
    EngineBook book;
    ScopedFixedClock clock(EncodeDate(2024, 1, 1) + 0.5);
    TMorvaneMortgage& loan =
        book.AddLoan("0000001", Day(2023, 5, 15), Cents(10000000), 7.3, "Monthly", 25, "Monthly");
    // A year after 20/01/2024 passes the statement date 15/01/2025; the next, Saturday
    // 15/02/2025, ends the build, and its interest is posted on Monday 17/02/2025.
    clock.Set(EncodeDate(2024, 1, 20));
    loan.BuildLedger();
    EXPECT_EQ(loan.LocalTransactionDays.Ledger().Days().back().Date, DayOf(Day(2025, 2, 17)));
}

TEST(LedgerSpan, WeeklyAndFortnightlyLoansRunByTheSameDays) {
    EngineBook book;
    ScopedFixedClock clock(EncodeDate(2024, 1, 1) + 0.5);
    for (const char* period : {"Weekly", "Fortnightly"}) {
        TMorvaneMortgage& loan =
            book.AddLoan(period, Day(2023, 3, 15), Cents(10000000), 7.3, period, 1);
        loan.BuildLedger();
        EXPECT_EQ(loan.LocalTransactionDays.Ledger().Days().size(), 367u) << period;
    }
}

TEST(LedgerSpan, AContractNoLedgerCanHoldIsRefusedNamingTheLoan) {
    EngineBook book;
    ScopedFixedClock clock(EncodeDate(2024, 1, 1) + 0.5);
    TMorvaneMortgage& loan =
        book.AddLoan("0000007", Day(2023, 3, 15), Cents(10000000), 7.3, "Weekly", 25);
    const struct {
        std::int32_t term;
        std::int64_t amountCents;
        const char* message;
    } refused[] = {
        {50000000, 10000000,
         "The contract of loan 0000007 runs 50000000 years; a contract runs from 0 to 100 years."},
        {-1, 10000000,
         "The contract of loan 0000007 runs -1 years; a contract runs from 0 to 100 years."},
        {25, 2000000000000000,
         "The contract of loan 0000007 is for $20,000,000,010,000.00; a contract amount or "
         "deposit is at most $1,000,000,000,000.00."},
    };
    for (const auto& row : refused) {
        loan.Contract->ContractTerm = row.term;
        loan.Contract->ContractAmount = Cents(row.amountCents) + loan.Contract->Deposit;
        try {
            loan.BuildLedger();
            ADD_FAILURE() << row.message;
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), row.message);
        }
        EXPECT_TRUE(loan.LocalTransactionDays.Ledger().Empty());
        EXPECT_THROW(loan.CalcPaymentAmount(), Exception);
    }
}

} // namespace
} // namespace duebell::enginetest
