// The benchmark loan books of the application benchmarks (tests/domain/benchmarkbook.h),
// written once per process into a data folder of their own; the offscreen application object
// made on first use; every window of the program registered as the program registers them.
#pragma once

#include "../../tests/domain/benchmarkbook.h"
#include "app/main/programwindows.h"
#include "bench/benchapplication.h"
#include "domain/datafiles.h"
#include "domain/processobjects.h"

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <malloc.h>
#include <map>

namespace duebell::benchbook {

namespace fs = std::filesystem;

inline double AppMilliseconds = 0; // the making of the application object

inline void EnsureApplication() {
    if (QApplication::instance() != nullptr)
        return;
    QElapsedTimer clock;
    clock.start();
    bench::BenchApplication();
    AppMilliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The program's windows, so the tabs hold their frames and menus open their windows. Settings
// changed through them (or data imported) would be saved in a folder of the benchmarks' own.
inline void RegisterBenchWindows() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    const fs::path folder = fs::temp_directory_path() / "duebell_bench_settings";
    fs::create_directories(folder);
    RegisterProgramWindows(folder.string());
}

// The data folder of a book of `loans` loans, written once per process.
inline std::string BookFolder(int loans) {
    static std::map<int, std::string> folders;
    auto found = folders.find(loans);
    if (found != folders.end())
        return found->second;
    const fs::path folder =
        fs::temp_directory_path() / ("duebell_bench_book_" + std::to_string(loans));
    fs::create_directories(folder);
    if (loans > 0) {
        TBook book = MakeBook(loans);
        SetConfiguration(std::move(book.Configuration));
        SetData(std::move(book.Data));
        SaveConfigurationFile((folder / ConfigurationFileName).string());
        SaveDataFile((folder / DataFileName).string());
        SetData(nullptr);
        SetConfiguration(nullptr);
        malloc_trim(0); // what the book took goes back: a start-up after meets fresh memory
    }
    return folders[loans] = folder.string();
}

} // namespace duebell::benchbook
