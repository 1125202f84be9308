// Windows open each other by class name, never by including each other. Each folder of the
// application registers the windows it builds (one Register...Windows() per folder, called by
// main()); the main window's menus and tabs, the alert actions and the questions after an add
// open them through OpenWindow with what the opener knows.
//
// A factory does the whole opening. A dialog's factory makes the dialog, applies the request,
// runs it modally (ExecModal, or a detail dialog's EditItem), frees it and gives back its modal
// result. A frame's factory makes the frame and hands it over for the opener to place.
#pragma once

#include "domain/enums.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace duebell {

class TTovObjectList;

// What the opener knows. A window reads the fields it understands and ignores the rest.
struct WindowRequest {
    std::string loanNumber;           // the loan to choose at once; empty: none
    int statementNumber = 0;          // the statement to choose (from 1); 0: none
    int feeNumber = 0;                // the full fee to choose; 0: none
    TModifyMode mode = mmEdit;        // how a detail or settings dialog shows its records
    bool printWithoutPreview = false; // a report prints at once instead of previewing
    TTovObjectList* list = nullptr;   // the record list a list frame shows; none: its own
};

// What opening gave back: the modal result of a dialog that has run and been freed, or the
// frame itself (modal result mrNone).
struct OpenedWindow {
    int modalResult = 0;
    std::unique_ptr<QWidget> widget;
};

using WindowFactory = std::function<OpenedWindow(const WindowRequest&)>;

// Registers the factory of a window class ("TfmReportStatement", "TfmeClients"); a second
// registration of the same name replaces the first.
void RegisterWindow(const std::string& className, WindowFactory factory);
bool IsWindowRegistered(const std::string& className);
// Opens a registered window. An unknown name is an internal error: menus and actions whose
// window is not registered are disabled.
OpenedWindow OpenWindow(const std::string& className, const WindowRequest& request = {});
// The registered class names, in alphabetical order.
std::vector<std::string> RegisteredWindowNames();

// The factory of a plain modal dialog: `make` builds the dialog for the request (choosing what
// the request names); the dialog then runs through ExecModal and is freed.
WindowFactory
ModalDialogFactory(std::function<std::unique_ptr<QDialog>(const WindowRequest&)> make);

// For tests: an empty registry while the object lives, then the previous one again.
class ScopedWindowRegistry {
public:
    ScopedWindowRegistry();
    ~ScopedWindowRegistry();
    ScopedWindowRegistry(const ScopedWindowRegistry&) = delete;
    ScopedWindowRegistry& operator=(const ScopedWindowRegistry&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

} // namespace duebell
