// The calculation engine over a large generated loan book: 2,000 loans with 25-year terms
// (weekly, fortnightly and monthly in turn) drawn down over the last ten years, each paid on
// most of its payment dates so far, with an instalment fee, full fees with payments, arrears
// administration fees, rate changes, and once-off and recurring public holidays.
//
// Reports, per ledger day: the time of a full alert refresh (every ledger built, every loan's
// alerts raised), of the ledger builds alone, of making the day records a report reads for one
// loan, and of a refresh into fresh memory with the heap the built ledgers hold.
#include "domain/calculationcontext.h"
#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/ledgerbuild.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/periods.h"
#include "domain/processobjects.h"
#include "domain/schedule.h"
#include "objectlist/clock.h"
#include "objectlist/numberformat.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <memory>
#include <random>

namespace duebell {
namespace {

constexpr int Loans = 2000;
const double Today = EncodeDate(2025, 7, 1);

struct Generator {
    std::mt19937 random{20250701};

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
};

void AddHolidays(TMorvaneConfiguration& configuration, Generator& generate) {
    for (int year = 2015; year <= 2027; ++year) {
        for (int i = 0; i < 10; ++i) {
            auto holiday = MakeItem<TMorvanePublicHoliday>(&configuration);
            holiday->TransactionDate =
                TDate(EncodeDate(year, generate.Between(1, 12), generate.Between(1, 28)));
            if (configuration.PublicHolidayList->LocateNoMove(Variant(holiday->TransactionDate))) {
                continue;
            }
            configuration.PublicHolidayList->Add(std::move(holiday));
        }
    }
    for (auto [month, day] : {std::pair{1, 1}, {1, 26}, {4, 25}, {12, 25}, {12, 26}}) {
        auto holiday = MakeItem<TMorvaneRecurringPublicHoliday>(&configuration);
        holiday->Month = month;
        holiday->Day = day;
        configuration.RecurringPublicHolidayList->Add(std::move(holiday));
    }
    for (auto [description, notice] : {std::pair{"Valuation", 14}, {"Legal", 7}}) {
        auto type = MakeItem<TMorvaneFeeConfiguration>(&configuration);
        type->FeeDescription = description;
        type->NoticePeriod = notice;
        configuration.FeeList->Add(std::move(type));
    }
    configuration.SystemConfiguration->DefaultPeriod = 14;
    configuration.SystemConfiguration->ForeclosePeriod = 30;
    configuration.SystemConfiguration->EvictionPeriod = 60;
    configuration.SystemConfiguration->InstallmentFeePeriod = 14;
}

TDateTime Entered(double day, int& sequence) {
    return TDateTime(day + 0.375 + ++sequence / 86400.0);
}

void AddLoan(TMorvaneData& book, TMorvaneConfiguration& configuration, int n, Generator& generate) {
    auto made = MakeItem<TMorvaneMortgage>(&book);
    made->LoanNumber = FormatInt(n, 7);
    made->RateChangePeriod = 30;
    TMorvaneContract& contract = *made->Contract;
    const int period = n % 3;
    const double drawDown = Today - generate.Between(30, 3650);
    contract.PossessionDate = TDate(drawDown);
    contract.ContractAmount = Currency::fromUnits(generate.Between(200, 600) * 1000);
    contract.Deposit = Currency::fromUnits(20000);
    contract.ContractTerm = 25;
    contract.ReferenceRate = TPercentage{Currency::fromRaw(generate.Between(50000, 90000))};
    contract.RateSpread = TPercentage{Currency::fromRaw(generate.Between(0, 20000))};
    contract.PaymentPeriod = std::string(PaymentPeriodNames[period]);
    contract.StatementPeriod = std::string(StatementPeriodNames[n % 4]);
    TMorvaneMortgage* loan = book.Mortgages->Add(std::move(made));

    int sequence = 0;
    const Currency instalment = loan->CalcPaymentAmount();
    int missed = 0;
    for (TDayNumber due = NextPaymentDate(period, DayOf(drawDown)); due < Today;
         due = NextPaymentDate(period, due)) {
        if (generate.Between(0, 19) == 0) {
            ++missed; // now and then a payment is missed, and made up later
            continue;
        }
        auto payment = MakeItem<TMorvaneLoanTransaction>(loan);
        payment->TransactionDate = AsDate(due);
        payment->DateAdded = Entered(due, sequence);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = instalment * (1 + (missed > 0 ? 1 : 0));
        missed = std::max(0, missed - 1);
        loan->LoanTransactions->Add(std::move(payment));
    }

    auto insurance = MakeItem<TMorvaneInstallmentFee>(loan);
    insurance->FeeDescription = "Insurance";
    insurance->TransactionDate = TDate(drawDown + 20);
    insurance->NumberOfPayments = 26;
    insurance->PaymentAmount = 12.5;
    loan->InstallmentFees->Add(std::move(insurance));

    for (int f = 1; f <= 3; ++f) {
        const double charged = drawDown + generate.Between(0, static_cast<int>(Today - drawDown));
        auto fee = MakeItem<TMorvaneFeeTransaction>(loan);
        fee->FeeNumber = f;
        fee->TransactionDate = TDate(charged);
        fee->FeeDescription = f == 1 ? "Valuation" : f == 2 ? "Legal" : "Council Rates";
        fee->FeeAmount = Currency::fromUnits(generate.Between(100, 900));
        fee->DateAdded = Entered(charged, sequence);
        for (int p = 0; p < f - 1; ++p) {
            auto payment = MakeItem<TMorvaneFeePayment>(fee.get());
            payment->TransactionDate = TDateTime(charged + 20 + 10 * p + 0.6);
            payment->FeePaymentAmount = fee->FeeAmount / 2;
            payment->DateAdded = Entered(charged + 20 + 10 * p, sequence);
            fee->FeePayments->Add(std::move(payment));
        }
        loan->FeeTransactions->Add(std::move(fee));
    }
    for (int a = 0; a < 2; ++a) {
        const double charged = drawDown + generate.Between(0, static_cast<int>(Today - drawDown));
        auto admin = MakeItem<TMorvaneAdminFeeTransaction>(loan);
        admin->TransactionDate = TDateTime(charged + 0.6);
        admin->FeeDescription = "Arrears notice";
        admin->FeeAmount = Currency::fromUnits(55);
        admin->AmountLeft = admin->FeeAmount;
        admin->DateAdded = Entered(charged, sequence);
        loan->AdminFeeTransactions->Add(std::move(admin));
    }

    auto rates = MakeItem<TMorvaneMortgageRate>(&configuration);
    rates->LoanNumber = loan->LoanNumber;
    for (int c = 1; c <= 3; ++c) {
        auto change = MakeItem<TMorvaneRateChange>(rates.get());
        change->TransactionDate = TDate(drawDown + 400 * c + generate.Between(0, 200));
        change->Rate = TPercentage{Currency::fromRaw(generate.Between(50000, 90000))};
        change->DateAdded = Entered(change->TransactionDate.value, sequence);
        rates->RateChanges->Add(std::move(change));
    }
    configuration.MortgageRates->Add(std::move(rates));
}

// The book, made once and installed as the program's own.
struct Book {
    Book() : clock(Today + 0.5) {
        Generator generate;
        auto configuration =
            std::unique_ptr<TMorvaneConfiguration>(CreateItem<TMorvaneConfiguration>(nullptr));
        auto book = std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr));
        AddHolidays(*configuration, generate);
        for (int n = 1; n <= Loans; ++n) {
            AddLoan(*book, *configuration, n, generate);
        }
        SetConfiguration(std::move(configuration));
        SetData(std::move(book));
        Data()->RefreshAlerts();
        for (TTovObjectItem* item : *Data()->Mortgages) {
            const TLedger& ledger =
                static_cast<TMorvaneMortgage*>(item)->LocalTransactionDays.Ledger();
            days += static_cast<std::int64_t>(ledger.Days().size());
        }
    }

    ScopedFixedClock clock;
    std::int64_t days = 0;
};

Book& TheBook() {
    static Book book;
    return book;
}

void PerDay(benchmark::State& state, std::int64_t daysPerIteration) {
    state.counters["days"] = static_cast<double>(daysPerIteration);
    state.counters["time_per_day"] = benchmark::Counter(
        static_cast<double>(daysPerIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RefreshAlerts(benchmark::State& state) {
    Book& book = TheBook();
    for (auto _ : state) {
        Data()->RefreshAlerts();
    }
    PerDay(state, book.days);
    state.counters["alerts"] = Data()->CurrentAlerts->Count();
}
BENCHMARK(BM_RefreshAlerts)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_BuildLedgers(benchmark::State& state) {
    Book& book = TheBook();
    const TCalculationContext context(Configuration(), Date());
    for (auto _ : state) {
        for (TTovObjectItem* item : *Data()->Mortgages) {
            RebuildLedger(*static_cast<TMorvaneMortgage*>(item), context);
        }
    }
    PerDay(state, book.days);
}
BENCHMARK(BM_BuildLedgers)->Unit(benchmark::kMillisecond)->MinTime(3);

// What a statement or notice pays the first time it reads one loan's ledger.
void BM_MakeDayRecordsOfOneLoan(benchmark::State& state) {
    TheBook();
    auto& loan = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    const TLedger& ledger = loan.LocalTransactionDays.Ledger();
    for (auto _ : state) {
        TTovOwnedObjectList days =
            MakeOwnedObjectList<TMorvaneLocalTransactionDay>("TransactionDate");
        MakeLedgerRecords(ledger, *days, &loan);
        benchmark::DoNotOptimize(days->Count());
    }
    PerDay(state, static_cast<std::int64_t>(ledger.Days().size()));
}
BENCHMARK(BM_MakeDayRecordsOfOneLoan)->Unit(benchmark::kMillisecond);

// A refresh whose ledgers go into memory the process has not used before, as at start-up, and
// the heap bytes the built ledgers of the whole book then hold, per ledger day. Part of the
// time is the operating system's: each new page is faulted in on first use.
void BM_RefreshIntoFreshMemory(benchmark::State& state) {
    Book& book = TheBook();
    double bytesPerDay = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (TTovObjectItem* item : *Data()->Mortgages) {
            auto* loan = static_cast<TMorvaneMortgage*>(item);
            loan->LocalTransactionDays.Assign(TLedger(), loan);
        }
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        Data()->RefreshAlerts();
        state.PauseTiming();
        bytesPerDay =
            static_cast<double>(mallinfo2().uordblks - before) / static_cast<double>(book.days);
        state.ResumeTiming();
    }
    PerDay(state, book.days);
    state.counters["bytes_per_day"] = bytesPerDay;
}
BENCHMARK(BM_RefreshIntoFreshMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
