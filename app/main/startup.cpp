#include "app/main/startup.h"

#include "app/main/fontwarmup.h"
#include "app/main/splashscreen.h"
#include "controls/uihooks.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <exception>

namespace duebell {

namespace {

// Runs one step of the start-up; a failure is shown and the program goes on without it.
template <class Load> void LoadReporting(Load&& load) {
    try {
        load();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

// Loads the loan book or the configuration beside the splash. A file that cannot be read
// gives the main window the caption, and its report ends with the advice.
void LoadLendersFile(TfmMain& window, TfmSplashScreen& splash,
                     void (TfmMain::*load)(const std::string&), const char* caption,
                     const char* advice) {
    LoadReporting([&] {
        try {
            splash.RunWhilePainted([&] { (window.*load)(""); });
        } catch (const Exception& error) {
            window.setWindowTitle(caption);
            throw Exception(error.message() + "\r\r" + advice);
        }
    });
}

double Lap(QElapsedTimer& clock) {
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    return elapsed;
}

} // namespace

std::unique_ptr<TfmMain> StartDuebell(const StartUpOptions& options, StartUpTimes* times) {
    StartUpTimes spent;
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<TfmMain>(options.folders);
    spent.window += Lap(clock);
    FontListWarmUp fonts;

    {
        TfmSplashScreen splash;
        splash.ShowPainted();
        if (options.splashWait)
            splash.Pause(1000);
        clock.restart();

        LoadLendersFile(*window, splash, &TfmMain::LoadConfiguration, UnreadConfigurationCaption,
                        UnreadConfigurationAdvice);
        if (Configuration() == nullptr)
            SetConfiguration(
                std::unique_ptr<TMorvaneConfiguration>(CreateItem<TMorvaneConfiguration>(nullptr)));
        LoadLendersFile(*window, splash, &TfmMain::LoadData, UnreadLoanBookCaption,
                        UnreadLoanBookAdvice);
        if (Data() == nullptr)
            SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
        LoadReporting([&] { window->LoadHelp(""); }); // small, and it fills the help list
        spent.load = Lap(clock);

        LoadReporting([&] { splash.RunWhilePainted([] { Data()->RefreshAlerts(); }); });
        spent.refresh = Lap(clock);
        splash.hide();
        QCoreApplication::processEvents();
    }

    clock.restart();
    fonts.wait();
    window->AddTabs();
    window->show();
    LoadReporting([&] { window->RunSetupGuidance(); });
    window->AnnounceLoanBook();
    spent.window += Lap(clock);
    if (times != nullptr)
        *times = spent;
    return window;
}

} // namespace duebell
