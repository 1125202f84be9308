// The one way the program asks the user something. The program installs a prompter that
// shows its message dialog; tests install one that answers from a script. The engine never
// shows a window itself.
#pragma once

#include <string>

namespace duebell {

// The kind of box a question or message appears in.
enum class PromptType { Warning, Error, Information, Confirmation };
enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    // Yes (or OK) is the answer Enter gives.
    virtual PromptAnswer Ask(PromptType type, PromptButtons buttons, const std::string& text) = 0;
    // The same with No as the answer Enter gives, for a question whose Yes is seldom meant. A
    // prompter that knows no default answer asks it as Ask.
    virtual PromptAnswer AskDefaultNo(PromptType type, PromptButtons buttons,
                                      const std::string& text) {
        return Ask(type, buttons, text);
    }
};

// Installs the prompter every question and every error report goes to (nullptr removes it).
// The caller keeps ownership and returns the previous one when it is done. The failures of
// record-list listeners are error reports too (objectlist/listlistener.h).
Prompter* SetPrompter(Prompter* prompter);
// The installed prompter. Asking with none installed is an internal error, so nothing ever
// waits for an answer that no one can give.
Prompter& CurrentPrompter();

// Reports a failure the program carries on after: an error box with OK. With no prompter
// installed, or one that fails, the text goes to standard error.
void ReportError(const std::string& text);

// A confirmation with Yes and No: true on Yes.
bool AskYesNo(const std::string& text);
// A confirmation with Yes, No and Cancel: true on Yes, false on No; Cancel ends the calling
// operation silently (EAbort).
bool AskYesNoCancel(const std::string& text);
// The same with No as the default answer.
bool AskYesNoCancelDefaultNo(const std::string& text);

} // namespace duebell
