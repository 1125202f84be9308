// The object-list grid over the two largest lists a window shows: a loan book of 2,000 loans in
// the loan frame's three columns, and one loan's daily ledger of about 9,000 days in seven.
//
// Reports the time of a first fill (the grid bound to the list and refreshed) and of a refresh
// of the same list (the refill after every add, edit or delete).
#include "app/framework/objectlistgrid.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace duebell {
namespace {

constexpr int Loans = 2000;
const double Today = EncodeDate(2025, 7, 1);

void EnsureApplication() {
    if (QApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "objectlistgrid_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// The loan book of the program, 2,000 loans with a client and a property each.
void MakeBook() {
    SetConfiguration(MakeItem<TMorvaneConfiguration>(nullptr));
    SetData(MakeItem<TMorvaneData>(nullptr));
    TMorvaneData& book = *Data();
    for (int n = 1; n <= Loans; ++n) {
        const std::string code = FormatInt(n, 7);
        auto client = MakeItem<TMorvaneClient>(&book);
        client->ClientCode = code;
        client->Surname = "Surname" + std::to_string(n);
        client->GivenNames = "Given";
        book.Clients->Add(std::move(client));
        auto property = MakeItem<TMorvaneProperty>(&book);
        property->PropertyCode = code;
        property->Address->StreetNo = std::to_string(n);
        property->Address->StreetName = "Long Street Name";
        property->Address->Suburb = "Suburb";
        property->Address->State = "QLD";
        property->Address->PostCode = "4000";
        book.Properties->Add(std::move(property));
        auto loan = MakeItem<TMorvaneMortgage>(&book);
        loan->LoanNumber = code;
        loan->ClientCode = code;
        loan->PropertyCode = code;
        TMorvaneContract& contract = *loan->Contract;
        contract.PossessionDate = TDate(Today - 8760 + n % 3000);
        contract.ContractAmount = Currency::fromUnits(250000);
        contract.Deposit = Currency::fromUnits(10000);
        contract.ContractTerm = 25;
        contract.ReferenceRate = TPercentage{Currency::fromUnits(7)};
        contract.PaymentPeriod = "Monthly";
        contract.StatementPeriod = "Quarterly";
        book.Mortgages->Add(std::move(loan));
    }
}

std::unique_ptr<TTovObjectListGrid> LoanGrid() {
    auto grid = std::make_unique<TTovObjectListGrid>();
    grid->AddColumn("Loan Number", "LoanNumber", 100);
    grid->AddColumn("Property Address", "PropertyAddress", 200);
    grid->AddColumn("Client Name", "ClientName", 200);
    grid->resize(520, 400);
    return grid;
}

std::unique_ptr<TTovObjectListGrid> LedgerGrid() {
    auto grid = std::make_unique<TTovObjectListGrid>();
    grid->AddColumn("Date", "TransactionDate", 80);
    grid->AddColumn("Balance", "Balance", 100);
    grid->AddColumn("Scheduled", "ShadowBalance", 100);
    grid->AddColumn("Instalment", "PMTAmount", 80);
    grid->AddColumn("Rate", "ActualRate", 50);
    grid->AddColumn("Interest", "DailyInterest", 80);
    grid->AddColumn("Accrued", "AccumulatedInterest", 80);
    grid->resize(600, 400);
    return grid;
}

// A loan drawn down 24 years ago: its ledger runs to a year past today.
TTovObjectList& LongLedger() {
    auto& loan = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    loan.Contract->PossessionDate = TDate(EncodeDate(2001, 7, 2));
    loan.BuildLedger();
    return *loan.LocalTransactionDays;
}

void Fill(benchmark::State& state, std::unique_ptr<TTovObjectListGrid> (*makeGrid)(),
          TTovObjectList& list) {
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = makeGrid();
        state.ResumeTiming();
        grid->SetObjectList(&list);
        grid->RefreshGrid();
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = list.Count();
}

void Refresh(benchmark::State& state, std::unique_ptr<TTovObjectListGrid> (*makeGrid)(),
             TTovObjectList& list) {
    auto grid = makeGrid();
    grid->SetObjectList(&list);
    grid->RefreshGrid();
    grid->SelectRow(grid->RowCount() / 2);
    for (auto _ : state) {
        grid->RefreshGrid();
        benchmark::DoNotOptimize(grid->Row());
    }
    state.counters["rows"] = list.Count();
}

struct Book {
    Book() {
        EnsureApplication();
        MakeBook();
    }
    ScopedFixedClock clock{Today + 0.5};
};

Book& TheBook() {
    static Book book;
    return book;
}

void BM_FillLoanGrid(benchmark::State& state) {
    TheBook();
    Fill(state, LoanGrid, *Data()->Mortgages);
}

void BM_RefreshLoanGrid(benchmark::State& state) {
    TheBook();
    Refresh(state, LoanGrid, *Data()->Mortgages);
}

void BM_FillLedgerGrid(benchmark::State& state) {
    TheBook();
    Fill(state, LedgerGrid, LongLedger());
}

void BM_RefreshLedgerGrid(benchmark::State& state) {
    TheBook();
    Refresh(state, LedgerGrid, LongLedger());
}

BENCHMARK(BM_FillLoanGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshLoanGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLedgerGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshLedgerGrid)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
