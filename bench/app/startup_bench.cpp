// The program's start-up on the offscreen platform, the splash's pause left out: the main
// window made, the configuration, loan book and help topics read from their files, every ledger
// and alert built, the tabs, set-up guidance and refresh signals, the window shown. For an
// empty folder, a 200-loan and a 2,000-loan book (benchbook.h).
//
// BM_StartUp repeats the start-up in one process; BM_FirstStartUp is the process's first.
//
// Counters: load_ms, refresh_ms and window_ms split each start-up; parse_ms is a bare expat
// parse of the loan book file it loads, timed in the same run between start-ups, so that
// startup_per_parse and refresh_per_load compare figures taken under the same load of the
// machine; app_ms is the making of the application object, once per process.
#include "app/main/startup.h"
#include "bench/bareexpat.h"
#include "benchbook.h"
#include "objectlist/clock.h"

#include <benchmark/benchmark.h>

namespace duebell {
namespace {

using namespace benchbook;

void BM_StartUp(benchmark::State& state) {
    EnsureApplication();
    RegisterBenchWindows();
    const ScopedFixedClock clock(Today + 0.5);
    StartUpOptions options;
    options.folders = {BookFolder(static_cast<int>(state.range(0))), ""};
    options.splashWait = false;
    const std::string bookFile = (fs::path(options.folders.dataFolder) / DataFileName).string();
    const bool hasBook = fs::exists(bookFile);
    StartUpTimes total;
    double parse = 0;
    for (auto _ : state) {
        StartUpTimes times;
        std::unique_ptr<TfmMain> window = StartDuebell(options, &times);
        state.PauseTiming();
        total.load += times.load;
        total.refresh += times.refresh;
        total.window += times.window;
        if (hasBook) {
            QElapsedTimer clock;
            clock.start();
            if (!bench::BareExpatParse(bookFile))
                state.SkipWithError("the loan book does not parse");
            parse += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["load_ms"] = total.load / runs;
    state.counters["refresh_ms"] = total.refresh / runs;
    state.counters["window_ms"] = total.window / runs;
    if (hasBook) {
        const double startUp = total.load + total.refresh + total.window;
        state.counters["parse_ms"] = parse / runs;
        state.counters["startup_per_parse"] = startUp / parse;
        state.counters["refresh_per_load"] = total.refresh / total.load;
    }
    state.counters["app_ms"] = AppMilliseconds;
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->MinTime(2);

// The process's first start-up, as a lender meets it every morning: the memory the ledgers
// take comes fresh from the system rather than from an earlier start-up's. Run alone in its
// process to be the first: --benchmark_filter=BM_FirstStartUp/2000.
void BM_FirstStartUp(benchmark::State& state) {
    BM_StartUp(state);
}
BENCHMARK(BM_FirstStartUp)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace duebell
