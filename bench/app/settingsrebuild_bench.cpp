// A settings change that rebuilds every loan, on the benchmark book of 200 and of 2,000 loans
// (benchbook.h) side by side, so that the growth with the book shows: from the menu command
// until the window is current again (the dialog saved, every loan and alert rebuilt, the file
// written, the tabs followed and painted), and the CPU time of all the program's threads in
// that while. The program is started on each book in turn on the offscreen platform, every
// window registered; the dialogs are answered at once.
// - BM_NoticePeriodsSave/<loans>: Configuration > Notice Periods, Save without a change.
// - BM_OnceOffHolidayAdded/<loans>: Configuration > Public Holidays > Once-Off, one holiday
//   added (a day of its own each time), the window then closed.
#include "app/framework/modalrunner.h"
#include "app/main/startup.h"
#include "benchbook.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "objectlist/clock.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <benchmark/benchmark.h>

namespace duebell {
namespace {

using namespace benchbook;

// The program started on the book of that many loans; the one before is closed first. The last
// is kept, like the application object, until the process ends (a widget must not outlive Qt's
// own statics).
TfmMain& Program(int loans) {
    static TfmMain* window = nullptr;
    static int shown = 0;
    if (window != nullptr && shown == loans)
        return *window;
    EnsureApplication();
    RegisterBenchWindows();
    static const ScopedFixedClock clock(Today + 0.5); // for the whole run
    delete window;
    StartUpOptions options;
    options.folders = {BookFolder(loans), ""};
    options.splashWait = false;
    window = StartDuebell(options).release();
    shown = loans;
    QApplication::processEvents();
    return *window;
}

// Lays out and paints what changed.
void Settle() {
    QApplication::processEvents();
}

QAction& MenuCommand(const TfmMain& window, const QStringList& path) {
    QList<QAction*> actions = window.menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* action : actions)
            if (action->text() == caption)
                found = action;
        if (found == nullptr)
            throw std::runtime_error("no menu command " + caption.toStdString());
        if (found->menu() != nullptr)
            actions = found->menu()->actions();
    }
    return *found;
}

void Press(QDialog& dialog, const char* button) {
    auto* found = dialog.findChild<QAbstractButton*>(button);
    if (found == nullptr)
        throw std::runtime_error(std::string("no button ") + button);
    found->click();
}

// Each iteration: the menu command on the book of state.range(0) loans, its dialogs answered,
// until the window is current again.
void RunCommand(benchmark::State& state, const QStringList& path, ModalRunner answer) {
    QAction& command = MenuCommand(Program(static_cast<int>(state.range(0))), path);
    const ScopedModalRunner answered(std::move(answer));
    for (auto _ : state) {
        command.trigger();
        Settle();
    }
}

// The two books side by side, in real time, with the CPU time of all threads.
void OnBothBooks(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark->UseRealTime();
}

void BM_NoticePeriodsSave(benchmark::State& state) {
    RunCommand(state, {"&Configuration", "&Notice Periods"}, [](QDialog& dialog) {
        Press(dialog, "btnSave");
        return dialog.result();
    });
    state.counters["alerts"] = static_cast<double>(Data()->CurrentAlerts->Count());
}
BENCHMARK(BM_NoticePeriodsSave)->Apply(OnBothBooks);

void BM_OnceOffHolidayAdded(benchmark::State& state) {
    static double day = Today + 400; // a day no holiday has yet, next year
    RunCommand(state, {"&Configuration", "&Public Holidays", "&Once-Off"}, [](QDialog& dialog) {
        if (dialog.objectName() == "fmPublicHolidaysAddEdit") {
            dialog.findChild<TDatePicker*>("edtHolidayDate")->SetDate(++day);
            dialog.findChild<QLineEdit*>("edtDescription")->setText("Show Day");
            Press(dialog, "btnSave");
        } else {
            Press(dialog, "btnAdd");
            Press(dialog, "btnCancel");
        }
        return dialog.result();
    });
    state.counters["holidays"] = static_cast<double>(Configuration()->PublicHolidayList->Count());
}
BENCHMARK(BM_OnceOffHolidayAdded)->Apply(OnBothBooks);

} // namespace
} // namespace duebell
