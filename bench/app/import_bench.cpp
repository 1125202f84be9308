// File > Import over the 2,000-loan book (benchbook.h) as the lender meets it: the program
// started on the book, then the book's own export imported into a data folder of its own (the
// import's check, its kept pair and the files replaced; the restart left out).
//
// Counters: rest_mb is the resident memory of the started program before the first import,
// peak_mb the highest it reached while importing (the kernel's high-water mark, reset before the
// import), both in MiB.
#include "app/main/dataarchive.h"
#include "app/main/startup.h"
#include "benchbook.h"
#include "objectlist/clock.h"

#include <benchmark/benchmark.h>
#include <fstream>

namespace duebell {
namespace {

using namespace benchbook;

constexpr int Loans = 2000;

// A line of /proc/self/status ("VmRSS", "VmHWM") in MiB.
double StatusMiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

void BM_ImportOverTheBook(benchmark::State& state) {
    EnsureApplication();
    RegisterBenchWindows();
    const ScopedFixedClock clock(Today + 0.5);
    StartUpOptions options;
    options.folders = {BookFolder(Loans), ""};
    options.splashWait = false;
    const std::unique_ptr<TfmMain> window = StartDuebell(options);
    QApplication::processEvents();

    const fs::path place = fs::temp_directory_path() / "duebell_bench_import";
    fs::remove_all(place);
    fs::create_directories(place / "data");
    const std::string archive = (place / "book.mvd").string();
    ExportDataArchive(archive, options.folders.dataFolder);
    double rest = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* name : {DataFileName, ConfigurationFileName})
            fs::copy_file(fs::path(options.folders.dataFolder) / name, place / "data" / name,
                          fs::copy_options::overwrite_existing);
        malloc_trim(0);
        if (rest == 0)
            rest = StatusMiB("VmRSS"); // as started, before any import
        std::ofstream("/proc/self/clear_refs") << "5"; // the high-water mark from here
        state.ResumeTiming();
        ImportDataArchive(archive, (place / "data").string());
        state.PauseTiming();
        peak = std::max(peak, StatusMiB("VmHWM"));
        for (const fs::directory_entry& entry : fs::directory_iterator(place / "data"))
            fs::remove(entry.path());
        state.ResumeTiming();
    }
    state.counters["rest_mb"] = rest;
    state.counters["peak_mb"] = peak;
    fs::remove_all(place);
}
BENCHMARK(BM_ImportOverTheBook)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace duebell
