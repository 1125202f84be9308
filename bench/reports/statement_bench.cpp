// How long the statement of account takes for a long loan: a 25-year weekly loan drawn in March
// 2001 and paid every week, so that its ledger runs the whole term, with half-yearly statements.
// Measured: building the document of its longest statement period without a window (the path
// of Print, Preview and PDF output), and choosing that statement in the dialog, which fills the
// grid with the period's movements from the whole ledger.
#include "bench/benchapplication.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "print/previewmodel.h"
#include "reports/statementreport.h"

#include <benchmark/benchmark.h>

namespace duebell {
namespace {

class LongLoanBook {
public:
    LongLoanBook() {
        auto configuration = MakeItem<TMorvaneConfiguration>(nullptr);
        configuration->UserName = "Jane Citizen";
        configuration->Company = "Bellwether Finance";
        SetConfiguration(std::move(configuration));
        SetData(MakeItem<TMorvaneData>(nullptr));
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = "0000001";
        TMorvaneContract& contract = *loan->Contract;
        contract.PossessionDate = TDate(EncodeDate(2001, 3, 5));
        contract.ContractAmount = Currency::fromUnits(330000);
        contract.Deposit = Currency::fromUnits(30000);
        contract.ContractTerm = 25;
        contract.ReferenceRate = TPercentage{Currency::fromDouble(6.5)};
        contract.PaymentPeriod = "Weekly";
        contract.StatementPeriod = "Half-Yearly";
        loan_ = Data()->Mortgages->Add(std::move(loan));
        const Currency instalment = loan_->CalcPaymentAmount();
        const double end = IncMonth(contract.PossessionDate.value, 12 * 25);
        for (double date = loan_->Contract->PossessionDate.value + 7; date < end; date += 7) {
            auto payment = MakeItem<TMorvaneLoanTransaction>(loan_);
            payment->TransactionDate = TDate(date);
            payment->DateAdded = TDateTime(date + 0.5);
            payment->PaymentType = "Payment";
            payment->TransactionAmount = instalment;
            loan_->LoanTransactions->Add(std::move(payment));
        }
        loan_->BuildLedger();
        // The last of the longest periods (184 days), with the whole ledger before it.
        for (const TStatementPeriod& period : StatementPeriods(*loan_->Contract))
            if (longest_ == 0 || period.End - period.Start >= longestDays_) {
                longest_ = period.Number;
                longestDays_ = period.End - period.Start;
            }
    }
    ~LongLoanBook() {
        SetData(nullptr);
        SetConfiguration(nullptr);
    }
    TMorvaneMortgage& Loan() { return *loan_; }
    int Longest() const { return longest_; }

private:
    ScopedFixedClock clock_{EncodeDate(2026, 3, 1) + EncodeTime(10, 0, 0, 0)};
    TMorvaneMortgage* loan_ = nullptr;
    int longest_ = 0;
    double longestDays_ = 0;
};

void BM_BuildLongestStatementOfA25YearWeeklyLoan(benchmark::State& state) {
    bench::BenchApplication();
    LongLoanBook book;
    auto statement = CreateReport<TfmReportStatement>();
    statement->SelectMortgage(&book.Loan());
    statement->SelectStatement(book.Longest());
    int pages = 0;
    for (auto _ : state) {
        TPqPreviewModel preview;
        BuildDocument(*statement, preview);
        pages = preview.PageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["statement"] = book.Longest();
}
BENCHMARK(BM_BuildLongestStatementOfA25YearWeeklyLoan)->Unit(benchmark::kMillisecond);

void BM_ChooseLongestStatementInTheDialog(benchmark::State& state) {
    bench::BenchApplication();
    LongLoanBook book;
    auto statement = CreateReport<TfmReportStatement>();
    statement->SelectMortgage(&book.Loan());
    for (auto _ : state) {
        statement->SelectStatement(book.Longest());
        statement->SelectStatement(1);
    }
}
BENCHMARK(BM_ChooseLongestStatementInTheDialog)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
