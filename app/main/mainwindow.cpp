#include "app/main/mainwindow.h"

#include "app/framework/helpsystem.h"
#include "app/framework/windowregistry.h"
#include "app/main/alerttabbar.h"
#include "app/main/mainmenu.h"
#include "app/main/setupguidance.h"
#include "controls/controltimer.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <filesystem>

namespace duebell {

namespace {

TTovObjectList* ListOf(TabList list) {
    switch (list) {
    case TabList::Clients:
        return Data()->Clients.get();
    case TabList::Properties:
        return Data()->Properties.get();
    case TabList::Mortgages:
        return Data()->Mortgages.get();
    case TabList::EmptyAlerts:
        return &EmptyAlertList();
    case TabList::None:
        break;
    }
    return nullptr;
}

// The question before the window closes, naming what Yes saves.
std::string SaveBeforeExitQuestion(bool loanBook, bool configuration) {
    const char* what = loanBook && configuration ? "the loan book and the configuration"
                       : loanBook                ? "the loan book"
                                                 : "the configuration";
    return std::string("Do you wish to save the changes to ") + what + " before exiting?";
}

} // namespace

TfmMain::TfmMain(MainWindowFolders folders)
    : folders_(std::move(folders)), activeWindow_([] { return QApplication::activeWindow(); }),
      lastRefresh_(Date()) {
    setObjectName("fmMain");
    setWindowTitle("Duebell v1.01");
    QApplication::setApplicationName("Duebell");

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QWidget(central);
    panel->setObjectName("Panel1");
    auto* panelLayout = new QHBoxLayout(panel);
    auto* helpLabel = new QLabel("Help me with", panel);
    cmbHelpList_ = new QComboBox(panel);
    cmbHelpList_->setObjectName("cmbHelpList");
    cmbHelpList_->setMinimumWidth(320);
    helpLabel->setBuddy(cmbHelpList_);
    panelLayout->addWidget(helpLabel);
    panelLayout->addWidget(cmbHelpList_);
    panelLayout->addStretch();
    pgMain_ = new TAlertPageControl([this](int index) { return ShowsAlerts(index); }, central);
    pgMain_->setObjectName("pgMain");
    layout->addWidget(panel);
    layout->addWidget(pgMain_, 1);
    setCentralWidget(central);

    // A topic chosen by the user opens its help; filling the list opens nothing.
    connect(cmbHelpList_, &QComboBox::activated, this, [this](int index) {
        GuardEvent([this, index] { ShowHelpContext(cmbHelpList_->itemData(index).toInt()); });
    });

    for (const MainMenuItem& item : MainMenu())
        BuildMenu(*menuBar()->addMenu(QString::fromStdString(item.caption)), item.items);

    resize(900, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    tmrRefreshAlerts_ = CreateControlTimer();
    tmrRefreshAlerts_->OnTimer = [this] { RefreshAlertsTick(); };
    tmrRefreshAlerts_->Start(AlertRefreshInterval);
}

TfmMain::~TfmMain() {
    WatchLoans(nullptr);
}

void TfmMain::BuildMenu(QMenu& menu, const std::vector<MainMenuItem>& items) {
    for (const MainMenuItem& item : items) {
        const QString caption = QString::fromStdString(item.caption);
        if (!item.items.empty()) {
            QMenu* submenu = menu.addMenu(caption);
            submenu->menuAction()->setVisible(item.visible);
            BuildMenu(*submenu, item.items);
            continue;
        }
        QAction* action = menu.addAction(caption);
        action->setVisible(item.visible);
        if (!item.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        const bool opensWindow =
            item.command == MenuCommand::OpenWindow || item.command == MenuCommand::EditSettings;
        // An entry that does nothing (the final bookkeeping report) stays enabled, as it always
        // was.
        action->setEnabled(!opensWindow || IsWindowRegistered(item.window));
        connect(action, &QAction::triggered, this,
                [this, &item] { GuardEvent([&] { Run(item); }); });
    }
}

void TfmMain::Run(const MainMenuItem& item) {
    switch (item.command) {
    case MenuCommand::None:
        break;
    case MenuCommand::OpenWindow: {
        const int result = OpenWindow(item.window).modalResult;
        if (item.setsDataModified)
            SetDataModified(true);
        if (item.restartsOnOk && result == mrOk)
            CloseToRestart();
        break;
    }
    case MenuCommand::EditSettings: {
        WindowRequest request;
        request.mode = mmEdit;
        if (OpenWindow(item.window, request).modalResult == mrOk)
            SaveConfiguration("");
        break;
    }
    case MenuCommand::Save:
        SaveData("");
        break;
    case MenuCommand::Exit:
        Exit();
        break;
    case MenuCommand::HelpContents:
        ShowHelpContents();
        break;
    }
}

std::string TfmMain::DataPath(const std::string& fileName, const char* defaultName) const {
    if (!fileName.empty())
        return fileName;
    return (std::filesystem::path(folders_.dataFolder) / defaultName).string();
}

void TfmMain::LoadConfiguration(const std::string& fileName) {
    LoadConfigurationFile(DataPath(fileName, ConfigurationFileName));
}

void TfmMain::LoadData(const std::string& fileName) {
    LoadDataFile(DataPath(fileName, DataFileName));
}

void TfmMain::SaveConfiguration(const std::string& fileName) {
    if (fileName.empty())
        SaveConfigurationNow(DataPath(fileName, ConfigurationFileName));
    else
        SaveConfigurationFile(fileName);
}

// The program's own files go together: what the loan book changed in the configuration, and a
// configuration that could not be written before, reach the disk with the loan book.
void TfmMain::SaveData(const std::string& fileName) {
    if (fileName.empty())
        SaveLoanBookAndConfiguration(DataPath(fileName, DataFileName),
                                     DataPath(fileName, ConfigurationFileName));
    else
        SaveDataFile(fileName);
}

void TfmMain::LoadHelp(const std::string& fileName) {
    if (!fileName.empty())
        throw Exception("Invalid option to Load Help");
    LoadHelpTopicsFile(
        (std::filesystem::path(folders_.programFolder) / HelpTopicsFileName).string());
    const QSignalBlocker fillLock(cmbHelpList_);
    cmbHelpList_->clear();
    for (TTovObjectItem* item : *HelpFile().HelpMeWithTopics) {
        const auto& topic = *static_cast<TMorvaneHelpMeWithTopic*>(item);
        cmbHelpList_->addItem(QString::fromStdString(topic.Description), topic.HelpContext);
    }
    cmbHelpList_->setCurrentIndex(-1);
}

void TfmMain::AddTabs() {
    for (const MainTab& tab : MainTabs())
        AddTab(tab.frameClass, tab.caption, ListOf(tab.list));
    // Open on the first tab that has its frame.
    for (int i = 0; i < pgMain_->count(); ++i) {
        if (pgMain_->isTabEnabled(i)) {
            pgMain_->setCurrentIndex(i);
            break;
        }
    }
}

void TfmMain::AddTab(const std::string& frameClass, const std::string& caption,
                     TTovObjectList* list) {
    auto* sheet = new QWidget(pgMain_);
    sheet->setObjectName(QString::fromStdString("tab" + frameClass));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    const int index = pgMain_->addTab(sheet, QString::fromStdString(caption));
    if (!IsWindowRegistered(frameClass)) {
        pgMain_->setTabEnabled(index, false);
        return;
    }
    WindowRequest request;
    request.list = list;
    OpenedWindow frame = OpenWindow(frameClass, request);
    if (frame.widget)
        layout->addWidget(frame.widget.release());
}

void TfmMain::RunSetupGuidance() {
    if (LiveConfigurationUnread())
        return;
    if (const int context = SetupHelpContext(*Configuration(), *Data()))
        ShowHelpContext(context);
}

void TfmMain::AnnounceLoanBook() {
    WatchLoans(Data()->Mortgages.get());
    Data()->Properties->NotifyListeners(ckItemAdded, nullptr);
    Data()->Clients->NotifyListeners(ckItemAdded, nullptr);
    Data()->Mortgages->NotifyListeners(ckItemAdded, nullptr);
}

void TfmMain::WatchLoans(TTovObjectList* loans) {
    if (watchedLoans_ != nullptr)
        watchedLoans_->RemoveListener(this);
    watchedLoans_ = loans;
    if (watchedLoans_ != nullptr)
        watchedLoans_->AddListener(this);
}

// Every change of the loan list may change whether there are alerts. A list that goes away
// forgets its listeners itself.
void TfmMain::ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind kind) {
    if (kind == ckListDestroying)
        watchedLoans_ = nullptr;
    pgMain_->tabBar()->update();
}

bool TfmMain::ShowsAlerts(int tabIndex) const {
    return pgMain_->tabText(tabIndex) == QLatin1String(AlertTabCaption) && Data() != nullptr &&
           Data()->HasAlerts;
}

void TfmMain::RefreshAlertsTick() {
    tmrRefreshAlerts_->Stop();
    struct Rearm {
        ControlTimer& timer;
        ~Rearm() { timer.Start(AlertRefreshInterval); }
    } rearm{*tmrRefreshAlerts_};
    if (activeWindow_() != this || Date() == lastRefresh_)
        return;
    lastRefresh_ = Date();
    Data()->RefreshAlerts();
}

void TfmMain::SetActiveWindowQuery(std::function<QWidget*()> query) {
    activeWindow_ = std::move(query);
}

void TfmMain::CloseToRestart() {
    SetRestarting(true);
    close();
    QCoreApplication::quit(); // other open windows do not keep the program running
}

void TfmMain::Exit() {
    if (AskYesNo("Are you sure you want to exit?"))
        close();
}

// True when the window may close. A failed save keeps it open: the error is shown and the
// loan book stays in memory. The question names what Yes saves, and so what No loses: the
// settings windows' changes are on disk already, but for a write that failed and what is held
// for the loan book.
bool TfmMain::AskToSaveBeforeClosing() {
    const bool loanBook = DataModified() || ConfigurationHeldForLoanBook();
    const bool configuration = ConfigurationModified() || ConfigurationHeldForLoanBook();
    if ((!loanBook && !configuration) || restarting_)
        return true;
    switch (CurrentPrompter().Ask(PromptType::Confirmation, PromptButtons::YesNoCancel,
                                  SaveBeforeExitQuestion(loanBook, configuration))) {
    case PromptAnswer::Yes:
        if (loanBook)
            SaveData("");
        else
            SaveConfiguration("");
        return true;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void TfmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    GuardEvent([&] { mayClose = AskToSaveBeforeClosing(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

} // namespace duebell
