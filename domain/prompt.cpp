#include "domain/prompt.h"

#include "objectlist/exceptions.h"

namespace duebell {

namespace {
Prompter* installedPrompter = nullptr;
}

Prompter* SetPrompter(Prompter* prompter) {
    Prompter* previous = installedPrompter;
    installedPrompter = prompter;
    return previous;
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

bool AskYesNoCancel(const std::string& text) {
    switch (CurrentPrompter().Ask(PromptType::Confirmation, PromptButtons::YesNoCancel, text)) {
    case PromptAnswer::Yes:
        return true;
    case PromptAnswer::Cancel:
        throw EAbort();
    default:
        return false;
    }
}

} // namespace duebell
