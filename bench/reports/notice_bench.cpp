// How long a loan notice takes to build without a window (letterhead, client block, letter,
// arrears table) and to build and write as a PDF file, the path every report's Print, Preview
// and PDF output takes.
#include "bench/benchapplication.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "print/previewmodel.h"
#include "reports/loannotices.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace duebell {
namespace {

// A lender and one loan a year behind, the clock at 1 March 2026.
class NoticeBook {
public:
    NoticeBook() {
        auto configuration = MakeItem<TMorvaneConfiguration>(nullptr);
        configuration->UserName = "Jane Citizen";
        configuration->Company = "Bellwether Finance";
        configuration->OperatingNumber = "ACN 123 456 789";
        configuration->Address->StreetName = "5 Creek St";
        configuration->ContactDetails->PhoneNo = "07 3000 1111";
        configuration->SystemConfiguration->DefaultPeriod = 14;
        configuration->SystemConfiguration->ForeclosePeriod = 7;
        SetConfiguration(std::move(configuration));
        SetData(MakeItem<TMorvaneData>(nullptr));
        auto client = MakeItem<TMorvaneClient>(Data());
        client->ClientCode = "0000001";
        client->Surname = "SMITH";
        client->GivenNames = "John";
        Data()->Clients->Add(std::move(client));
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = "0000001";
        loan->ClientCode = "0000001";
        loan->Contract->PossessionDate = TDate(EncodeDate(2025, 3, 2));
        loan->Contract->ContractAmount = Currency::fromUnits(300000);
        loan->Contract->ContractTerm = 25;
        loan->Contract->ReferenceRate = TPercentage{Currency::fromUnits(7)};
        loan->Contract->PaymentPeriod = "Monthly";
        loan->Contract->StatementPeriod = "Quarterly";
        loan_ = Data()->Mortgages->Add(std::move(loan));
        loan_->BuildLedger();
    }
    ~NoticeBook() {
        SetData(nullptr);
        SetConfiguration(nullptr);
    }
    TMorvaneMortgage& Loan() { return *loan_; }

private:
    ScopedFixedClock clock_{EncodeDate(2026, 3, 1) + EncodeTime(10, 0, 0, 0)};
    TMorvaneMortgage* loan_ = nullptr;
};

void BM_BuildDefaultNotice(benchmark::State& state) {
    bench::BenchApplication();
    NoticeBook book;
    auto notice = CreateReport<TfmReportLoanDefault>();
    notice->SelectMortgage(&book.Loan());
    for (auto _ : state) {
        TPqPreviewModel preview;
        BuildDocument(*notice, preview);
        benchmark::DoNotOptimize(preview.PageCount());
    }
}
BENCHMARK(BM_BuildDefaultNotice)->Unit(benchmark::kMillisecond);

void BM_BuildAndWriteDefaultNoticePdf(benchmark::State& state) {
    bench::BenchApplication();
    NoticeBook book;
    auto notice = CreateReport<TfmReportLoanDefault>();
    notice->SelectMortgage(&book.Loan());
    const QString file = QDir::temp().filePath("duebell_notice_bench.pdf");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteReportPdf(*notice, file));
    QFile::remove(file);
}
BENCHMARK(BM_BuildAndWriteDefaultNoticePdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
