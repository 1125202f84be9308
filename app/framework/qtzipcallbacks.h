// The zip components' view of the user interface in the program: message boxes in the
// program's message dialog (titled with the caption the component gives), the file and folder
// choosers, the hourglass cursor, and letting the window system run during long work.
#pragma once

#include "controls/uihooks.h"
#include "zip/zipcallbacks.h"

namespace duebell {

class QtZipCallbacks final : public zip::TZipCallbacks {
public:
    void ShowMessage(const std::string& caption, const std::string& text) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                              const std::string& startFolder) override;
    std::optional<std::string> ChooseFolder(const std::string& startFolder) override;
    void SetBusyCursor(bool busy) override;
    void ProcessMessages() override;

private:
    TCursor cursorBeforeBusy_ = crDefault;
};

} // namespace duebell
