// The program's start-up on the offscreen platform, the splash's pause left out: the main
// window made, the configuration, loan book and help topics read from their files, every ledger
// and alert built, the tabs, set-up guidance and refresh signals, the window shown. For an
// empty folder, a 200-loan and a 2,000-loan book (benchbook.h).
//
// Counters: load_ms, refresh_ms and window_ms split each start-up; app_ms is the making of the
// application object, once per process.
#include "app/main/startup.h"
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
    StartUpTimes total;
    for (auto _ : state) {
        StartUpTimes times;
        std::unique_ptr<TfmMain> window = StartDuebell(options, &times);
        state.PauseTiming();
        total.load += times.load;
        total.refresh += times.refresh;
        total.window += times.window;
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["load_ms"] = total.load / runs;
    state.counters["refresh_ms"] = total.refresh / runs;
    state.counters["window_ms"] = total.window / runs;
    state.counters["app_ms"] = AppMilliseconds;
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace
} // namespace duebell
