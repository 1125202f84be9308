// How the program answers a person on the 2,000-loan book (benchbook.h), its main window started
// once on the offscreen platform with every window registered:
// - BM_TabSwitch/<tab>: from the tab after it to that tab, until the page is laid out and
//   painted (0 "Loan Transactions" ... 5 "Duebells").
// - BM_OpenLoanDialog: the "Add/Edit Loan" dialog made for a loan, filled and shown, painted,
//   then cancelled.
// - BM_DailyRefresh: the day's rebuild of every ledger and alert with the window open, until
//   the tabs have followed and painted.
// - BM_LoanChanged: one loan recalculated after a change (a payment recorded), until the tabs
//   have followed and painted.
#include "app/dialogs/mortgagedialog.h"
#include "app/framework/loanchanges.h"
#include "app/framework/modalrunner.h"
#include "app/main/startup.h"
#include "benchbook.h"
#include "controls/modalresult.h"
#include "objectlist/clock.h"

#include <QDialog>
#include <QTabWidget>
#include <benchmark/benchmark.h>

namespace duebell {
namespace {

using namespace benchbook;

constexpr int Loans = 2000;

// The program, started once per process on the 2,000-loan book and kept, like the application
// object, until the process ends (a widget must not outlive Qt's own statics).
TfmMain& Program() {
    static TfmMain* window = nullptr;
    if (window == nullptr) {
        EnsureApplication();
        RegisterBenchWindows();
        static const ScopedFixedClock clock(Today + 0.5); // for the whole run
        StartUpOptions options;
        options.folders = {BookFolder(Loans), ""};
        options.splashWait = false;
        window = StartDuebell(options).release();
        QApplication::processEvents();
    }
    return *window;
}

QTabWidget& Tabs() {
    return *Program().findChild<QTabWidget*>("pgMain");
}

// Lays out and paints what changed.
void Settle() {
    QApplication::processEvents();
}

void BM_TabSwitch(benchmark::State& state) {
    QTabWidget& tabs = Tabs();
    const int tab = static_cast<int>(state.range(0));
    const int away = (tab + 1) % tabs.count();
    for (auto _ : state) {
        state.PauseTiming();
        tabs.setCurrentIndex(away);
        Settle();
        state.ResumeTiming();
        tabs.setCurrentIndex(tab);
        Settle();
    }
    state.SetLabel(tabs.tabText(tab).toStdString());
}
BENCHMARK(BM_TabSwitch)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_OpenLoanDialog(benchmark::State& state) {
    Program();
    auto* loan = static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekLast());
    const ScopedModalRunner shown([](QDialog& dialog) {
        dialog.show();
        Settle();
        return static_cast<int>(mrCancel);
    });
    for (auto _ : state) {
        TfmMortgageAddEdit dialog;
        dialog.EditItems(mmEdit, {loan});
    }
}
BENCHMARK(BM_OpenLoanDialog)->Unit(benchmark::kMillisecond);

void BM_DailyRefresh(benchmark::State& state) {
    QTabWidget& tabs = Tabs();
    for (auto _ : state) {
        Data()->RefreshAlerts();
        Settle();
    }
    state.counters["alerts"] = Data()->CurrentAlerts->Count();
    state.SetLabel(tabs.tabText(tabs.currentIndex()).toStdString() + " tab shown");
}
BENCHMARK(BM_DailyRefresh)->Unit(benchmark::kMillisecond);

void BM_LoanChanged(benchmark::State& state) {
    Program();
    auto* loan = static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    for (auto _ : state) {
        LoanChanged(*loan);
        Settle();
    }
}
BENCHMARK(BM_LoanChanged)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
