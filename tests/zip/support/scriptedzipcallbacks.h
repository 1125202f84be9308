// The zip callbacks with scripted answers: every message box and question is recorded, and
// a question that was not scripted fails the test instead of blocking.
#pragma once

#include "zip/zipcallbacks.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace duebell::zip::ziptest {

class ScriptedZipCallbacks : public TZipCallbacks {
public:
    struct Shown {
        std::string caption;
        std::string text;
    };

    void ShowMessage(const std::string& caption, const std::string& text) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                              const std::string& startFolder) override;
    std::optional<std::string> ChooseFolder(const std::string& startFolder) override;
    void SetBusyCursor(bool busy) override;
    void ProcessMessages() override;

    // Answers, used in order.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    // Runs on every ProcessMessages call (for example to press Cancel).
    std::function<void()> onProcessMessages;

    // What happened.
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    int processMessagesCalls = 0;
    int busyDepth = 0;
    int busyCalls = 0;
};

} // namespace duebell::zip::ziptest
