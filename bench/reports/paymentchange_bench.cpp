// How long the Notice of Payment Change takes to build without a window: the change dates,
// the two tables read from the loan's ledger, and the second page, for a loan with a rate
// change recorded today.
#include "bench/benchapplication.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "print/previewmodel.h"
#include "reports/paymentchangenotice.h"

#include <benchmark/benchmark.h>

namespace duebell {
namespace {

void BM_BuildPaymentChangeNotice(benchmark::State& state) {
    bench::BenchApplication();
    ScopedFixedClock clock(EncodeDate(2026, 3, 1) + EncodeTime(10, 0, 0, 0));
    auto configuration = MakeItem<TMorvaneConfiguration>(nullptr);
    configuration->UserName = "Jane Citizen";
    configuration->Company = "Bellwether Finance";
    auto rates = MakeItem<TMorvaneMortgageRate>(configuration.get());
    rates->LoanNumber = "0000001";
    TMorvaneMortgageRate* history = configuration->MortgageRates->Add(std::move(rates));
    auto change = MakeItem<TMorvaneRateChange>(history);
    change->TransactionDate = TDate(EncodeDate(2026, 3, 1));
    change->Rate = TPercentage{Currency::fromUnits(8)};
    history->RateChanges->Add(std::move(change));
    SetConfiguration(std::move(configuration));
    SetData(MakeItem<TMorvaneData>(nullptr));
    auto loan = MakeItem<TMorvaneMortgage>(Data());
    loan->LoanNumber = "0000001";
    loan->Contract->PossessionDate = TDate(EncodeDate(2025, 3, 7));
    loan->Contract->ContractAmount = Currency::fromUnits(300000);
    loan->Contract->ContractTerm = 25;
    loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
    loan->Contract->PaymentPeriod = "Monthly";
    loan->Contract->StatementPeriod = "Quarterly";
    TMorvaneMortgage* added = Data()->Mortgages->Add(std::move(loan));
    added->BuildLedger();

    auto notice = CreateReport<TfmReportPaymentChange>();
    notice->SelectMortgage(added);
    for (auto _ : state) {
        TPqPreviewModel preview;
        BuildDocument(*notice, preview);
        benchmark::DoNotOptimize(preview.PageCount());
    }
    notice.reset();
    SetData(nullptr);
    SetConfiguration(nullptr);
}
BENCHMARK(BM_BuildPaymentChangeNotice)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
