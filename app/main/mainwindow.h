// The main window: six tab pages of list frames over the loan book, the "Help me with" list,
// the menus that open every settings and report window through the registry, saving, the
// daily alert refresh, and the questions before it closes. The loading of the three data files
// lives here too; the start-up sequence (startup.h) calls it.
#pragma once

#include "objectlist/listlistener.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QMenu;
class QTabWidget;

namespace duebell {

class ControlTimer;
struct MainMenuItem;

struct MainWindowFolders {
    std::string dataFolder;    // MV_DATA.XML and MV_CONFIG.XML
    std::string programFolder; // MV_HELP.XML, delivered with the program
};

inline constexpr int AlertRefreshInterval = 600000; // ten minutes

class TfmMain : public QMainWindow, private ITovListListener {
    Q_OBJECT

public:
    // Makes the window (not shown): caption "Duebell v1.01", the application named "Duebell",
    // the menus, the help list, an empty page control, the refresh timer running with today as
    // the last refresh.
    explicit TfmMain(MainWindowFolders folders);
    ~TfmMain() override;

    // The data files; an empty name means the program's own file. Loading raises the store's
    // error (file, line, column) when a file cannot be read.
    void LoadConfiguration(const std::string& fileName);
    void LoadData(const std::string& fileName);
    void SaveConfiguration(const std::string& fileName);
    // Saving the loan book to its own file also clears DataModified; another name does not.
    void SaveData(const std::string& fileName);
    // Only the program's own help topics may be loaded: any name raises "Invalid option to Load
    // Help". Fills the "Help me with" list in help-context order, choosing none.
    void LoadHelp(const std::string& fileName);

    // Start-up, after loading: the six tab pages, then the set-up guidance, then the property,
    // client and loan lists tell their listeners that they changed.
    void AddTabs();
    // A tab page holding the frame of that class, given the record list it shows; a frame that
    // is not registered leaves the tab disabled.
    void AddTab(const std::string& frameClass, const std::string& caption, TTovObjectList* list);
    // Opens the help of the first set-up step missing; nothing while the configuration could not
    // be read (the empty one in its place would send the lender to settings that cannot be saved).
    void RunSetupGuidance();
    void AnnounceLoanBook();

    // One tick of the daily refresh: with the timer off, when the main window is the active
    // window and the date has changed since the last refresh, all alerts are rebuilt. The timer
    // runs again afterwards, also when the refresh failed.
    void RefreshAlertsTick();
    // Where the active window comes from (QApplication::activeWindow by default).
    void SetActiveWindowQuery(std::function<QWidget*()> query);

    // Set by the import before it restarts the program: closing then asks nothing.
    void SetRestarting(bool restarting) { restarting_ = restarting; }
    // Whether the program is to start again once this window has closed (main() starts it,
    // with the same arguments, after letting go of the data folder).
    bool Restarting() const { return restarting_; }
    // After an import: closes the window without a question and ends the message loop.
    void CloseToRestart();

    // "E&xit": asks "Are you sure you want to exit?"; Yes closes the window.
    void Exit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu(QMenu& menu, const std::vector<MainMenuItem>& items);
    void Run(const MainMenuItem& item);
    void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) override;
    void WatchLoans(TTovObjectList* loans);
    bool ShowsAlerts(int tabIndex) const;
    bool AskToSaveBeforeClosing();
    std::string DataPath(const std::string& fileName, const char* defaultName) const;

    MainWindowFolders folders_;
    QTabWidget* pgMain_;
    QComboBox* cmbHelpList_;
    std::unique_ptr<ControlTimer> tmrRefreshAlerts_;
    std::function<QWidget*()> activeWindow_;
    double lastRefresh_;
    bool restarting_ = false;
    TTovObjectList* watchedLoans_ = nullptr;
};

} // namespace duebell
