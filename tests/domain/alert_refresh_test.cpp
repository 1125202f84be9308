// Refreshing every loan's ledger and alerts, and recalculating one loan by its number.
#include "benchmarkbook.h"
#include "domain/alert.h"
#include "domain/alertrules.h"
#include "domain/datafiles.h"
#include "ledger_fixtures.h"
#include "objectlist/exceptions.h"
#include "treecompare.h"
#include "watchinggrid.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

namespace duebell::enginetest {
namespace {

struct ChangeLog : ITovListListener {
    void ListChanged(TTovObjectList*, TTovObjectItem* item, TTovChangeKind kind) override {
        changes.emplace_back(kind, item);
    }
    std::vector<std::pair<TTovChangeKind, TTovObjectItem*>> changes;
};

class AlertRefresh : public ::testing::Test {
protected:
    // Drawn on Monday 15/05/2023 and never paid: behind from 15/06/2023.
    TMorvaneMortgage& AddLoan(const std::string& number) {
        TMorvaneMortgage& loan =
            book.AddLoan(number, Day(2023, 5, 15), Cents(10000000), 7.3, "Monthly", 1);
        loan.LastStatementNumber = 99;
        return loan;
    }

    std::vector<std::string> AlertLoans() {
        std::vector<std::string> loans;
        for (TTovObjectItem* item : *book.Book().CurrentAlerts) {
            loans.push_back(static_cast<TMorvaneAlert*>(item)->LoanNumber);
        }
        return loans;
    }

    EngineBook book;
    ScopedFixedClock clock{EncodeDate(2023, 6, 25) + 0.5};
};

TEST_F(AlertRefresh, BuildsEveryLedgerAndRaisesEveryLoansAlerts) {
    AddLoan("0000001");
    AddLoan("0000002");
    TMorvaneMortgage& onSchedule = AddLoan("0000003");
    book.AddPayment(onSchedule, Day(2023, 6, 15), Cents(866651));
    ChangeLog log;
    book.Book().Mortgages->AddListener(&log);

    book.Book().RefreshAlerts();
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000001", "0000002"}));
    EXPECT_TRUE(book.Book().HasAlerts);
    EXPECT_FALSE(onSchedule.LocalTransactionDays.Ledger().Empty());
    // The loan list tells its listeners to refresh: a record added, with no record.
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].first, ckItemAdded);
    EXPECT_EQ(log.changes[0].second, nullptr);
    book.Book().Mortgages->RemoveListener(&log);
}

TEST_F(AlertRefresh, StartsFromNothingEachTime) {
    TMorvaneMortgage& loan = AddLoan("0000001");
    book.Book().RefreshAlerts();
    ASSERT_TRUE(book.Book().HasAlerts);
    book.AddPayment(loan, Day(2023, 6, 15), Cents(866651));
    book.Book().RefreshAlerts();
    EXPECT_TRUE(AlertLoans().empty());
    EXPECT_FALSE(book.Book().HasAlerts);
}

TEST_F(AlertRefresh, ALoanThatCannotBeBuiltDoesNotStopTheOthers) {
    AddLoan("0000001");
    TMorvaneMortgage& broken = AddLoan("0000002");
    broken.Contract->PaymentPeriod = "Daily";
    AddLoan("0000003");
    try {
        book.Book().RefreshAlerts();
        FAIL() << "the broken loan went unreported";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "Internal error.  Unknown frequency");
    }
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000001", "0000003"}));
    EXPECT_TRUE(book.Book().HasAlerts);
    EXPECT_TRUE(broken.LocalTransactionDays.Ledger().Empty());
}

TEST_F(AlertRefresh, OnSeveralThreadsTheFirstFailureInTheLoansOrderIsRaised) {
    AddLoan("0000001");
    AddLoan("0000002").Contract->ContractTerm = 200;
    AddLoan("0000003");
    AddLoan("0000004").Contract->PaymentPeriod = "Daily";
    try {
        book.Book().RefreshAlerts(4);
        FAIL() << "the broken loans went unreported";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), "The contract of loan 0000002 runs 200 years; a contract runs "
                                   "from 0 to 100 years.");
    }
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000001", "0000003"}));
}

TEST_F(AlertRefresh, ALoanWhoseAlertsCannotBeWorkedOutKeepsNone) {
    AddLoan("0000001");
    TMorvaneMortgage& broken = AddLoan("0000002");
    // Its ledger builds and its arrears alert is raised; the fee's notice period then takes
    // its effective date beyond any day.
    book.AddFeeType("Valuation", INT_MAX);
    book.AddFullFee(broken, 1, Day(2023, 6, 1), "Valuation", Cents(10000));
    EXPECT_THROW(book.Book().RefreshAlerts(), EConvertError);
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000001"}));
    EXPECT_FALSE(broken.LocalTransactionDays.Ledger().Empty());
    EXPECT_THROW(broken.Recalculate(), EConvertError);
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000001"}));
}

TEST_F(AlertRefresh, RecalculatingOneLoanLeavesTheOthersAlone) {
    TMorvaneMortgage& first = AddLoan("0000001");
    AddLoan("0000002");
    book.Book().RefreshAlerts();
    book.AddPayment(first, Day(2023, 6, 15), Cents(866651));
    book.Book().RecalculateMortgage("0000001");
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000002"}));
    // The flag and the listeners are the full refresh's business.
    EXPECT_TRUE(book.Book().HasAlerts);
    book.Book().RecalculateMortgage("0000009"); // no such loan: nothing happens
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000002"}));
}

TEST_F(AlertRefresh, AGridShowingTheAlertsKeepsItsSelectionAcrossARefresh) {
    AddLoan("0000001");
    AddLoan("0000002");
    book.Book().RefreshAlerts();
    duebell::testing::WatchingGrid grid(*book.Book().CurrentAlerts, "LoanNumber");
    grid.Select(1);
    // Every alert is freed and made again; the grid reads its selected row when told.
    book.Book().RefreshAlerts();
    EXPECT_EQ(grid.Keys(), (std::vector<std::string>{"0000001", "0000002"}));
    EXPECT_EQ(grid.SelectedKey(), "0000002");
}

TEST_F(AlertRefresh, AScratchCopyOfALoanRecalculatesWithoutTouchingTheBooksAlerts) {
    TMorvaneMortgage& loan = AddLoan("0000001");
    book.Book().RefreshAlerts();
    ASSERT_EQ(AlertLoans(), (std::vector<std::string>{"0000001"}));
    // A dialog's copy of the loan, paid up, recalculated and then thrown away.
    std::unique_ptr<TMorvaneMortgage> copy = MakeItem<TMorvaneMortgage>(nullptr);
    copy->AssignProperties(loan);
    book.AddPayment(*copy, Day(2023, 6, 15), Cents(866651));
    copy->Recalculate();
    EXPECT_FALSE(copy->LocalTransactionDays.Ledger().Empty());
    EXPECT_EQ(AlertLoans(), (std::vector<std::string>{"0000001"}));
}

TEST_F(AlertRefresh, ClearedAlertsStayClearedAcrossRefreshes) {
    AddLoan("0000001");
    book.Book().RefreshAlerts();
    ASSERT_EQ(book.Book().CurrentAlerts->Count(), 1);
    ClearAlert(book.Book(), *static_cast<TMorvaneAlert*>(book.Book().CurrentAlerts->PeekFirst()));
    book.Book().RefreshAlerts();
    EXPECT_TRUE(AlertLoans().empty());
    EXPECT_FALSE(book.Book().HasAlerts);
}

// Everything a refresh makes: each loan's ledger days, and as text its movements and what its
// build sets in its instalment fees, the new payments of the rate changes, and the alerts.
struct RefreshOutcome {
    std::vector<TLedgerDay> days;
    std::vector<std::string> lines;

    RefreshOutcome(const TMorvaneData& data, const TMorvaneConfiguration& configuration) {
        auto text = [](const TTovObjectItem& record) {
            std::string line;
            for (const TTovPropInfo* prop : record.ItemManager().Properties()) {
                line += duebell::testing::ValueText(*prop, record) + " ";
            }
            return line;
        };
        for (TTovObjectItem* item : *data.Mortgages) {
            const auto& loan = *static_cast<TMorvaneMortgage*>(item);
            const TLedger& ledger = loan.LocalTransactionDays.Ledger();
            lines.push_back("loan " + loan.LoanNumber + ": " + IntToStr(ledger.Days().size()) +
                            " days");
            days.insert(days.end(), ledger.Days().begin(), ledger.Days().end());
            for (const TLedgerMovement& movement : ledger.Movements()) {
                lines.push_back(IntToStr(movement.Date) + " " + IntToStr(movement.Type) + " " +
                                movement.Text + " " + CurrToStr(movement.Amount) + " " +
                                CurrToStr(movement.Rate) + " " + FloatToStr(movement.DateAdded));
            }
            for (TTovObjectItem* fee : *loan.InstallmentFees) {
                const auto& instalmentFee = *static_cast<TMorvaneInstallmentFee*>(fee);
                lines.push_back(IntToStr(instalmentFee.PaymentsCharged) + " " +
                                FloatToStr(instalmentFee.AmountPaid));
            }
        }
        for (TTovObjectItem* rates : *configuration.MortgageRates) {
            for (TTovObjectItem* change : *static_cast<TMorvaneMortgageRate*>(rates)->RateChanges) {
                lines.push_back(text(*change));
            }
        }
        for (TTovObjectItem* alert : *data.CurrentAlerts) {
            lines.push_back(text(*alert));
        }
        lines.push_back(data.HasAlerts ? "alerts" : "no alerts");
    }
};

bool SameDay(const TLedgerDay& a, const TLedgerDay& b) {
    return a.Date == b.Date && a.Balance == b.Balance && a.ShadowBalance == b.ShadowBalance &&
           a.FeeBalance == b.FeeBalance && a.PMTAmount == b.PMTAmount &&
           a.ActualRate == b.ActualRate && a.DailyInterest == b.DailyInterest &&
           a.AccumulatedInterest == b.AccumulatedInterest;
}

// The benchmark book read from its files as the start-up reads it, then refreshed on one
// thread and on two, and rebuilt loan by loan as a change to one loan rebuilds it.
TEST(AlertRefreshOnThreads, TheBenchmarkBookBuildsOnTwoThreadsWhatItBuildsOnOneAndLoanByLoan) {
    const ScopedFixedClock clock(benchbook::Today + 0.5);
    const EngineBook installed; // the benchmark book replaces its empty one until the end
    const std::filesystem::path folder =
        std::filesystem::path(DUEBELL_TEST_OUTPUT_DIR) / "benchmarkbook";
    std::filesystem::create_directories(folder);
    const std::string configurationFile = (folder / ConfigurationFileName).string();
    const std::string dataFile = (folder / DataFileName).string();
    benchbook::TBook made = benchbook::MakeBook(80);
    SetConfiguration(std::move(made.Configuration));
    SetData(std::move(made.Data));
    SaveConfigurationFile(configurationFile);
    SaveDataFile(dataFile);
    LoadConfigurationFile(configurationFile);
    LoadDataFile(dataFile);
    TMorvaneData& data = *Data();

    data.RefreshAlerts(1);
    const RefreshOutcome alone(data, *Configuration());
    ASSERT_TRUE(data.HasAlerts);
    // What the first refresh left in the rate changes must be made again by the others.
    const auto forgetNewPayments = [] {
        for (TTovObjectItem* rates : *Configuration()->MortgageRates) {
            for (TTovObjectItem* change : *static_cast<TMorvaneMortgageRate*>(rates)->RateChanges) {
                static_cast<TMorvaneRateChange*>(change)->NewPaymentAmount = Currency();
            }
        }
    };
    forgetNewPayments();
    const auto expectAsAlone = [&alone](const RefreshOutcome& other) {
        ASSERT_EQ(other.lines.size(), alone.lines.size());
        const auto [one, two] =
            std::mismatch(alone.lines.begin(), alone.lines.end(), other.lines.begin());
        EXPECT_TRUE(one == alone.lines.end())
            << "line " << one - alone.lines.begin() << ": " << *one << " != " << *two;
        ASSERT_EQ(other.days.size(), alone.days.size());
        const auto differing =
            std::mismatch(alone.days.begin(), alone.days.end(), other.days.begin(), SameDay).first;
        EXPECT_TRUE(differing == alone.days.end()) << "day " << DateToStr(differing->Date);
    };
    data.RefreshAlerts(2);
    expectAsAlone(RefreshOutcome(data, *Configuration()));

    forgetNewPayments();
    data.CurrentAlerts->FreeAll();
    for (TTovObjectItem* loan : *data.Mortgages) {
        static_cast<TMorvaneMortgage*>(loan)->Recalculate();
    }
    data.HasAlerts = data.CurrentAlerts->Count() > 0;
    expectAsAlone(RefreshOutcome(data, *Configuration()));
}

} // namespace
} // namespace duebell::enginetest
