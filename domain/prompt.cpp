#include "domain/prompt.h"

#include "objectlist/exceptions.h"
#include "objectlist/listlistener.h"

#include <cstdio>

namespace duebell {

namespace {
Prompter* installedPrompter = nullptr;
}

Prompter* SetPrompter(Prompter* prompter) {
    Prompter* previous = installedPrompter;
    installedPrompter = prompter;
    SetListenerFailureReport(prompter != nullptr ? &ReportError : nullptr);
    return previous;
}

void ReportError(const std::string& text) {
    try {
        if (installedPrompter != nullptr) {
            installedPrompter->Ask(PromptType::Error, PromptButtons::Ok, text);
            return;
        }
    } catch (...) {
        // The box could not be shown: standard error is the last resort.
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

Prompter& CurrentPrompter() {
    if (installedPrompter == nullptr)
        throw InternalError("No one can answer the question.");
    return *installedPrompter;
}

bool AskYesNo(const std::string& text) {
    return CurrentPrompter().Ask(PromptType::Confirmation, PromptButtons::YesNo, text) ==
           PromptAnswer::Yes;
}

namespace {

bool YesOrNoElseAbort(PromptAnswer answer) {
    switch (answer) {
    case PromptAnswer::Yes:
        return true;
    case PromptAnswer::Cancel:
        throw EAbort();
    default:
        return false;
    }
}

} // namespace

bool AskYesNoCancel(const std::string& text) {
    return YesOrNoElseAbort(
        CurrentPrompter().Ask(PromptType::Confirmation, PromptButtons::YesNoCancel, text));
}

bool AskYesNoCancelDefaultNo(const std::string& text) {
    return YesOrNoElseAbort(
        CurrentPrompter().AskDefaultNo(PromptType::Confirmation, PromptButtons::YesNoCancel, text));
}

} // namespace duebell
