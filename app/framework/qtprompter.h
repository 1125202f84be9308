// The program's answers to the prompt interface: every question and message of the loan book
// and the windows appears in the program's message dialog, titled "Warning", "Error",
// "Information" or "Confirm", with OK, Yes and No, or Yes, No and Cancel.
#pragma once

#include "domain/prompt.h"

namespace duebell {

class QtPrompter final : public Prompter {
public:
    // Yes is the default button and OK when present; Esc and the close box give Cancel when
    // the box has it, else the answer of No (or OK).
    PromptAnswer Ask(PromptType type, PromptButtons buttons, const std::string& text) override;
    // The same with No as the default button.
    PromptAnswer AskDefaultNo(PromptType type, PromptButtons buttons,
                              const std::string& text) override;
};

} // namespace duebell
