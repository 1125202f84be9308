// The program's own message box: the look of the system's message dialog with a button row of
// its own choosing. MessageDlgEx offers Print, Clear, OK and Cancel (the alert list asks with
// it); the program's prompter shows its questions in the same dialog with Yes, No, OK and
// Cancel. Ctrl+C copies the whole box as text.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

namespace duebell {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// The buttons of MessageDlgEx, combined with |; they appear in this order, left to right.
enum TMsgDlgBtnEx : unsigned { mbPrint = 1u, mbClear = 2u, mbOK = 4u, mbCancel = 8u };
using TMsgDlgButtonsEx = unsigned;

// The modal results of Print and Clear (OK and Cancel give mrOk and mrCancel).
inline constexpr int mrPrint = 200;
inline constexpr int mrClear = 201;

// One button of a message dialog: its object name, caption and modal result.
struct TMessageButton {
    std::string name;
    std::string caption;
    int modalResult;
};

class TMessageForm : public QDialog {
    Q_OBJECT

public:
    // The dialog, laid out and centred on the screen, not shown. `defaultButton` is pressed by
    // Enter, `cancelButton` by Esc (indexes into `buttons`). A bare carriage return in the text
    // shows as a line break. A message too long for the screen scrolls in a window that fits
    // it, its buttons in sight.
    TMessageForm(const std::string& text, TMsgDlgType type, std::vector<TMessageButton> buttons,
                 int defaultButton, int cancelButton);

    // A title of the caller's own in place of the type's (the zip library names its boxes).
    void SetTitle(const std::string& title);

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int helpContext) { helpContext_ = helpContext; }

    // The dialog as plain text, as Ctrl+C copies it: a dividing line of 27 "-" and a line
    // break, the title, a line break, the dividing line, the message as given, a line break,
    // the dividing line, every button caption without "&" followed by three blanks, a line
    // break, and the dividing line; each line break is CR LF.
    std::string Text() const;
    // One beep, then Text() onto the clipboard.
    void CopyToClipboard();

    // Closing with the close box ends with mrCancel, whatever the buttons.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string title_;
    std::string message_;
    std::vector<TMessageButton> buttons_;
    int cancelButton_;
    int helpContext_ = 0;
};

// The dialog of Print, Clear, OK and Cancel: OK is the default button when present, else
// Print; Esc presses Cancel when present, else OK.
std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type,
                                                  TMsgDlgButtonsEx buttons);

// Shows that dialog modally, centred on the main window, and gives the result: mrPrint,
// mrClear, mrOk or mrCancel (also for the close box).
int MessageDlgEx(const std::string& text, TMsgDlgType type, TMsgDlgButtonsEx buttons,
                 int helpContext);

// Centres the dialog on the program's main window (on the screen when there is none), runs it
// through ExecModal and gives its result.
int RunMessageForm(TMessageForm& form);

} // namespace duebell
