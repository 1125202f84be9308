// Everything the zip components need from the user interface: message boxes, the two
// file dialogs, the busy cursor and message pumping. The program implements it over its
// dialogs; tests script the answers. The components never open a window themselves.
#pragma once

#include <optional>
#include <string>

namespace duebell::zip {

class TZipCallbacks {
public:
    virtual ~TZipCallbacks() = default;

    // A message box with OK only.
    virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
    // The file-open dialog; no value when the user cancels.
    virtual std::optional<std::string> ChooseOpenFile(const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& startFolder) = 0;
    // The folder dialog (creating a folder allowed); no value when the user cancels.
    virtual std::optional<std::string> ChooseFolder(const std::string& startFolder) = 0;
    // The hourglass while an archive is opened; false restores the previous cursor.
    virtual void SetBusyCursor(bool busy) = 0;
    // Lets the window system run, so that the owner can press Cancel during long work.
    virtual void ProcessMessages() = 0;
};

// Used when the owner gives no callbacks: nothing is shown, questions are declined,
// dialogs are cancelled.
class TUnattendedZipCallbacks final : public TZipCallbacks {
public:
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFolder(const std::string&) override { return std::nullopt; }
    void SetBusyCursor(bool) override {}
    void ProcessMessages() override {}
};

} // namespace duebell::zip
