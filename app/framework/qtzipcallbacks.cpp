#include "app/framework/qtzipcallbacks.h"

#include "app/framework/filedialogs.h"
#include "app/framework/messagedialog.h"
#include "controls/modalresult.h"

#include <QCoreApplication>

namespace duebell {

namespace {

int ShowBox(const std::string& caption, const std::string& text, TMsgDlgType type,
            std::vector<TMessageButton> buttons) {
    const int last = static_cast<int>(buttons.size()) - 1;
    TMessageForm form(text, type, std::move(buttons), 0, last);
    if (!caption.empty())
        form.SetTitle(caption);
    return RunMessageForm(form);
}

} // namespace

void QtZipCallbacks::ShowMessage(const std::string& caption, const std::string& text) {
    ShowBox(caption, text, mtCustom, {{"OK", "OK", mrOk}});
}

bool QtZipCallbacks::AskYesNo(const std::string& caption, const std::string& text) {
    return ShowBox(caption, text, mtConfirmation, {{"Yes", "&Yes", mrYes}, {"No", "&No", mrNo}}) ==
           mrYes;
}

std::optional<std::string> QtZipCallbacks::ChooseOpenFile(const std::string& title,
                                                          const std::string& filter,
                                                          const std::string& startFolder) {
    return duebell::ChooseOpenFile(title, filter, startFolder);
}

std::optional<std::string> QtZipCallbacks::ChooseFolder(const std::string& startFolder) {
    return duebell::ChooseFolder(startFolder);
}

void QtZipCallbacks::SetBusyCursor(bool busy) {
    if (busy) {
        cursorBeforeBusy_ = ScreenCursor();
        SetScreenCursor(crHourGlass);
    } else {
        SetScreenCursor(cursorBeforeBusy_);
    }
}

void QtZipCallbacks::ProcessMessages() {
    QCoreApplication::processEvents();
}

} // namespace duebell
