// The main window as tables: its menus (captions with their accelerators, what each entry does,
// the window it opens through the registry) and its tab pages (caption, frame, the record list
// the frame shows). The main window builds itself from them; an entry or tab whose window is
// not registered is disabled.
#pragma once

#include <string>
#include <vector>

namespace duebell {

enum class MenuCommand {
    None,         // a submenu, or an entry that does nothing
    OpenWindow,   // opens its window (a report dialog, the about box, import, export)
    EditSettings, // opens its settings dialog on the configuration; OK writes MV_CONFIG.XML
    Save,         // saves the loan book to its file
    Exit,         // asks, then closes the main window
    HelpContents, // the help's table of contents
};

struct MainMenuItem {
    std::string caption; // "&Save"
    MenuCommand command = MenuCommand::None;
    std::string window;   // the registry's class name, for the two opening commands
    std::string shortcut; // "Ctrl+S"
    bool visible = true;
    bool setsDataModified = false;   // the window changes the loan book (initial bookkeeping)
    bool restartsOnOk = false;       // OK: the window replaced the data files (import)
    std::vector<MainMenuItem> items; // a submenu's entries
};

// "&File", "&Configuration", "&Print" and "&Help", in order.
const std::vector<MainMenuItem>& MainMenu();

// The class names of every window the menus open, in menu order.
std::vector<std::string> MainMenuWindows();

// The loan book's list a tab's frame is given.
enum class TabList { None, Clients, Properties, Mortgages, EmptyAlerts };

struct MainTab {
    std::string caption;
    std::string frameClass;
    TabList list;
};

// "Loan Transactions", "Full Fee Transactions", "Clients", "Properties", "Loans", "Duebells".
const std::vector<MainTab>& MainTabs();
inline constexpr const char* AlertTabCaption = "Duebells";

} // namespace duebell
