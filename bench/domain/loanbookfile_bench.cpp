// Loading and saving a large loan book: 2,000 loans, each with ten years of fortnightly
// payments, a few full fees with their payments, instalment fees and an arrears fee.
// Reports the file size, the throughput and the peak resident memory of each operation above
// what the process held before (for the save, the book in memory is part of that peak).
#include "domain/clients.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "objectlist/xmlfiler.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

namespace duebell {
namespace {

constexpr int Loans = 2000;
constexpr int PaymentsPerLoan = 26 * 10;
constexpr int FeesPerLoan = 3;

std::string Code(int n) {
    return FormatInt(n, 7);
}

void AddLoan(TMorvaneData& data, int n) {
    const double drawDown = EncodeDate(2014, 1 + n % 12, 1 + n % 28);
    auto property = MakeItem<TMorvaneProperty>(&data);
    property->PropertyCode = Code(n);
    property->Address->StreetNo = IntToStr(n % 200 + 1);
    property->Address->StreetName = "Main St";
    property->Address->Suburb = "Hilltop";
    property->Address->State = "QLD";
    property->Address->PostCode = "4000";
    data.Properties->Add(std::move(property));
    auto client = MakeItem<TMorvaneClient>(&data);
    client->ClientCode = Code(n);
    client->Surname = "Client " + IntToStr(n);
    client->GivenNames = "Anh";
    client->ContactDetails->PhoneNo = "07 3123 4567";
    data.Clients->Add(std::move(client));

    auto loan = MakeItem<TMorvaneMortgage>(&data);
    loan->LoanNumber = Code(n);
    loan->PropertyCode = Code(n);
    loan->ClientCode = Code(n);
    loan->Contract->PossessionDate = TDate(drawDown);
    loan->Contract->ContractAmount = Currency::fromUnits(250000 + n);
    loan->Contract->Deposit = Currency::fromUnits(25000);
    loan->Contract->ContractTerm = 25;
    loan->Contract->ReferenceRate = TPercentage{Currency::fromRaw(72500)};
    loan->Contract->RateSpread = TPercentage{Currency::fromRaw(15000)};
    loan->Contract->PaymentPeriod = "Fortnightly";
    loan->Contract->StatementPeriod = "Quarterly";
    loan->BankDetails->BankName = "Bank of Hilltop";
    loan->BankDetails->AccountNo = IntToStr(10000000 + n);
    for (int p = 1; p <= PaymentsPerLoan; ++p) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(loan.get());
        payment->TransactionDate = TDate(drawDown + 14 * p);
        payment->DateAdded = TDateTime(drawDown + 14 * p + 0.375);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromRaw(8654321 + p);
        loan->LoanTransactions->Add(std::move(payment));
    }
    for (int f = 1; f <= FeesPerLoan; ++f) {
        auto fee = MakeItem<TMorvaneFeeTransaction>(loan.get());
        fee->FeeNumber = f;
        fee->TransactionDate = TDate(drawDown + 100 * f);
        fee->FeeDescription = "Council Rates";
        fee->FeeAmount = Currency::fromRaw(8452000);
        fee->DateAdded = TDateTime(drawDown + 100 * f + 0.5);
        for (int p = 1; p <= 2; ++p) {
            auto payment = MakeItem<TMorvaneFeePayment>(fee.get());
            payment->TransactionDate = TDateTime(drawDown + 100 * f + 30 * p);
            payment->FeePaymentAmount = Currency::fromRaw(3001000);
            payment->DateAdded = TDateTime(drawDown + 100 * f + 30 * p + 0.5);
            fee->FeePayments->Add(std::move(payment));
        }
        loan->FeeTransactions->Add(std::move(fee));
    }
    for (int f = 0; f < 2; ++f) {
        auto fee = MakeItem<TMorvaneInstallmentFee>(loan.get());
        fee->FeeDescription = f == 0 ? "Legal Fees" : "Valuation";
        fee->TransactionDate = TDate(drawDown + 30);
        fee->UserPaymentAmount = Currency::fromUnits(1200);
        fee->UserNumberOfPayments = 12;
        fee->UserPaymentPeriod = "Quarterly";
        fee->NumberOfPayments = 78;
        fee->PaymentAmount = 46.153846153846;
        loan->InstallmentFees->Add(std::move(fee));
    }
    auto adminFee = MakeItem<TMorvaneAdminFeeTransaction>(loan.get());
    adminFee->TransactionDate = TDateTime(drawDown + 400);
    adminFee->FeeDescription = "Loan Arrears";
    adminFee->FeeAmount = Currency::fromUnits(30);
    adminFee->DateAdded = TDateTime(drawDown + 400.6);
    loan->AdminFeeTransactions->Add(std::move(adminFee));
    data.Mortgages->Add(std::move(loan));
}

std::unique_ptr<TMorvaneData> GenerateBook() {
    std::unique_ptr<TMorvaneData> data(CreateItem<TMorvaneData>(nullptr));
    for (int n = 1; n <= Loans; ++n) {
        AddLoan(*data, n);
    }
    return data;
}

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// Resident memory in MB (Linux): now, and the peak since the last reset. Freed memory is
// handed back first, so a reset starts from what is really in use.
double StatusMB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(field.size())) / 1024.0;
        }
    }
    return 0.0;
}

void ResetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMB() {
    return StatusMB("VmHWM:");
}

double CurrentMemoryMB() {
    return StatusMB("VmRSS:");
}

double FileMB(const std::string& file) {
    return static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
}

void BM_SaveLoanBook(benchmark::State& state) {
    const std::string file = BenchFile("duebell_bench_MV_DATA_save.XML");
    ResetPeakMemory();
    const double before = CurrentMemoryMB();
    SetData(GenerateBook());
    state.counters["book_RSS_MB"] = CurrentMemoryMB() - before;
    for (auto _ : state) {
        SaveDataFile(file);
    }
    const double mb = FileMB(file);
    state.counters["file_MB"] = mb;
    state.counters["MB_per_s"] = benchmark::Counter(mb * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
    state.counters["peak_RSS_MB"] = PeakMemoryMB() - before;
    SetData(nullptr);
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveLoanBook)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLoanBook(benchmark::State& state) {
    const std::string file = BenchFile("duebell_bench_MV_DATA_load.XML");
    {
        std::unique_ptr<TMorvaneData> book = GenerateBook();
        SaveObjectToXMLFile(file, *book);
    }
    ResetPeakMemory();
    const double before = CurrentMemoryMB();
    for (auto _ : state) {
        LoadDataFile(file);
        state.PauseTiming();
        SetData(nullptr); // freeing the book is not part of the load
        state.ResumeTiming();
    }
    const double mb = FileMB(file);
    state.counters["file_MB"] = mb;
    state.counters["MB_per_s"] = benchmark::Counter(mb * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
    state.counters["peak_RSS_MB"] = PeakMemoryMB() - before;
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadLoanBook)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace duebell
