#include "app/main/mainmenu.h"

namespace duebell {

namespace {

MainMenuItem Item(std::string caption, MenuCommand command, std::string window = {}) {
    MainMenuItem item;
    item.caption = std::move(caption);
    item.command = command;
    item.window = std::move(window);
    return item;
}

MainMenuItem Window(std::string caption, std::string window) {
    return Item(std::move(caption), MenuCommand::OpenWindow, std::move(window));
}

MainMenuItem Settings(std::string caption, std::string window) {
    return Item(std::move(caption), MenuCommand::EditSettings, std::move(window));
}

MainMenuItem Menu(std::string caption, std::vector<MainMenuItem> items) {
    MainMenuItem menu = Item(std::move(caption), MenuCommand::None);
    menu.items = std::move(items);
    return menu;
}

std::vector<MainMenuItem> MakeMenu() {
    MainMenuItem save = Item("&Save", MenuCommand::Save);
    save.shortcut = "Ctrl+S";
    MainMenuItem initial = Window("&Initial Bookkeeping Report", "TfmReportAccountingInitial");
    initial.setsDataModified = true;
    MainMenuItem bookkeeping =
        Menu("&Bookkeeping Reports",
             {initial, Window("&Periodical Bookkeeping Report", "TfmReportAccountingPeriodical"),
              Item("&Final Bookkeeping Report", MenuCommand::None)});
    bookkeeping.visible = false;
    MainMenuItem importData = Window("&Import...", "dlgImportData");
    importData.restartsOnOk = true;

    return {
        Menu("&File", {importData, Window("&Export...", "dlgExportData"), save,
                       Item("E&xit", MenuCommand::Exit)}),
        Menu(
            "&Configuration",
            {Settings("&User Details", "TfmSystemConfig"),
             Settings("&Notice Periods", "TfmOptions"),
             Settings("&Interest Rates", "TfmRateChangesConfig"),
             Menu("&Fees", {Settings("&Full Fees", "TfmFeesConfig"),
                            Settings("&Instalment Fees", "TfmFeesInstallmentConfig"),
                            Settings("&Arrears Administration Fee", "TfmAdministrationFeeConfig")}),
             Menu("&Public Holidays", {Settings("&Recurring", "TfmPublicHolidaysRecurringConfig"),
                                       Settings("&Once-Off", "TfmPublicHolidaysConfig")})}),
        Menu("&Print",
             {Menu("Loan &Reports", {Window("Payment &Change", "TfmReportPaymentChange"),
                                     Window("&Statement of Account", "TfmReportStatement"),
                                     Window("&Payout", "TfmReportPayoutNotice"),
                                     Window("&Draw Down", "TfmReportDrawDown")}),
              Menu("Loan &Notices", {Window("&Arrears", "TfmReportLoanArrears"),
                                     Window("&Default", "TfmReportLoanDefault"),
                                     Window("&Termination", "TfmReportLoanForeclosure"),
                                     Window("&Vacate Property", "TfmReportLoanEviction")}),
              Menu("&Fee Notices", {Window("&Full Fee", "TfmReportFullFees"),
                                    Window("Full Fee &Arrears", "TfmReportFeesArrears"),
                                    Window("Full Fee &Default", "TfmReportFeesDefault"),
                                    Window("Full Fee Termination", "TfmReportFeesForeclosure"),
                                    Window("Full Fee Vacate Property", "TfmReportFeesEviction")}),
              bookkeeping, Window("Address &Labels", "TfmReportLabelsClient")}),
        Menu("&Help",
             {Item("&Duebell Help", MenuCommand::HelpContents), Window("&About...", "TfmAbout")}),
    };
}

void CollectWindows(const std::vector<MainMenuItem>& items, std::vector<std::string>& windows) {
    for (const MainMenuItem& item : items) {
        if (!item.window.empty())
            windows.push_back(item.window);
        CollectWindows(item.items, windows);
    }
}

} // namespace

const std::vector<MainMenuItem>& MainMenu() {
    static const std::vector<MainMenuItem> menu = MakeMenu();
    return menu;
}

std::vector<std::string> MainMenuWindows() {
    std::vector<std::string> windows;
    CollectWindows(MainMenu(), windows);
    return windows;
}

const std::vector<MainTab>& MainTabs() {
    static const std::vector<MainTab> tabs = {
        {"Loan Transactions", "TfmeLoanTransactions", TabList::None},
        {"Full Fee Transactions", "TfmeFeeTransaction", TabList::None},
        {"Clients", "TfmeClients", TabList::Clients},
        {"Properties", "TfmeProperty", TabList::Properties},
        {"Loans", "TfmeMortgages", TabList::Mortgages},
        {AlertTabCaption, "TfmeDuebells", TabList::EmptyAlerts},
    };
    return tabs;
}

} // namespace duebell
