// How long the Notice of Payout takes to work out its figures for a 25-year weekly loan with
// instalment fees (the ledger day located, fees offered, sums), the same after the loan's ledger
// was rebuilt (its day records made afresh), and the notice's document built without a window.
#include "bench/benchapplication.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "print/previewmodel.h"
#include "reports/payoutfigures.h"
#include "reports/payoutnotice.h"

#include <benchmark/benchmark.h>

namespace duebell {
namespace {

const double Today = EncodeDate(2026, 3, 1);

// A lender and a weekly 25-year loan drawn a year ago, with four instalment fees.
class PayoutBook {
public:
    PayoutBook() {
        auto configuration = MakeItem<TMorvaneConfiguration>(nullptr);
        configuration->UserName = "Jane Citizen";
        configuration->Company = "Bellwether Finance";
        SetConfiguration(std::move(configuration));
        SetData(MakeItem<TMorvaneData>(nullptr));
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = "0000001";
        loan->Contract->PossessionDate = TDate(EncodeDate(2025, 3, 2));
        loan->Contract->ContractAmount = Currency::fromUnits(300000);
        loan->Contract->ContractTerm = 25;
        loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
        loan->Contract->PaymentPeriod = "Weekly";
        loan->Contract->StatementPeriod = "Quarterly";
        for (const char* description : {"Water Rates", "Council Rates", "Insurance", "Levies"}) {
            auto fee = MakeItem<TMorvaneInstallmentFee>(loan.get());
            fee->FeeDescription = description;
            fee->TransactionDate = TDate(EncodeDate(2025, 3, 2));
            fee->NumberOfPayments = 104;
            fee->PaymentAmount = 12.5;
            loan->InstallmentFees->Add(std::move(fee));
        }
        loan_ = Data()->Mortgages->Add(std::move(loan));
        loan_->BuildLedger();
    }
    ~PayoutBook() {
        SetData(nullptr);
        SetConfiguration(nullptr);
    }
    TMorvaneMortgage& Loan() { return *loan_; }

private:
    ScopedFixedClock clock_{Today + EncodeTime(10, 0, 0, 0)};
    TMorvaneMortgage* loan_ = nullptr;
};

void BM_PayoutRecalculation(benchmark::State& state) {
    PayoutBook book;
    TPayoutFigures figures;
    for (auto _ : state)
        benchmark::DoNotOptimize(figures.Recalculate(book.Loan(), Today, false));
}
BENCHMARK(BM_PayoutRecalculation)->Unit(benchmark::kMillisecond);

void BM_PayoutRecalculationAfterLedgerRebuild(benchmark::State& state) {
    PayoutBook book;
    TPayoutFigures figures;
    figures.Recalculate(book.Loan(), Today, false); // the day records are read from now on
    for (auto _ : state) {
        book.Loan().BuildLedger();
        benchmark::DoNotOptimize(figures.Recalculate(book.Loan(), Today, false));
    }
}
BENCHMARK(BM_PayoutRecalculationAfterLedgerRebuild)->Unit(benchmark::kMillisecond);

void BM_BuildPayoutNotice(benchmark::State& state) {
    bench::BenchApplication();
    PayoutBook book;
    auto payout = CreateReport<TfmReportPayoutNotice>();
    payout->SelectMortgage(&book.Loan());
    for (auto _ : state) {
        TPqPreviewModel preview;
        BuildDocument(*payout, preview);
        benchmark::DoNotOptimize(preview.PageCount());
    }
}
BENCHMARK(BM_BuildPayoutNotice)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
