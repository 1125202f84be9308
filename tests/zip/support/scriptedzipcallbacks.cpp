#include "support/scriptedzipcallbacks.h"

#include <gtest/gtest.h>

namespace duebell::zip::ziptest {

void ScriptedZipCallbacks::ShowMessage(const std::string& caption, const std::string& text) {
    messages.push_back({caption, text});
}

bool ScriptedZipCallbacks::AskYesNo(const std::string& caption, const std::string& text) {
    questions.push_back({caption, text});
    if (yesNoAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << caption << " / " << text;
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedZipCallbacks::ChooseOpenFile(const std::string& title,
                                                                const std::string&,
                                                                const std::string&) {
    questions.push_back({title, "open file"});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << title;
        return std::nullopt;
    }
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedZipCallbacks::ChooseFolder(const std::string& startFolder) {
    questions.push_back({"folder", startFolder});
    if (folderAnswers.empty()) {
        ADD_FAILURE() << "unexpected folder dialog from " << startFolder;
        return std::nullopt;
    }
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void ScriptedZipCallbacks::SetBusyCursor(bool busy) {
    ++busyCalls;
    busyDepth += busy ? 1 : -1;
}

void ScriptedZipCallbacks::ProcessMessages() {
    ++processMessagesCalls;
    if (onProcessMessages) {
        onProcessMessages();
    }
}

} // namespace duebell::zip::ziptest
