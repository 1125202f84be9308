// What the libraries report reaches the user in real message boxes: the print library's
// messages, every exception that leaves an event handler (the application-wide handler), and
// a window that failed to follow a change of a record list.
// Both go through the installed prompter, so the program shows them in its message dialog and
// tests see them as scripted questions.
#pragma once

#include "print/messages.h"

#include <exception>
#include <memory>
#include <string>

namespace duebell {

// The text the application-wide handler shows for an exception: its message, or "You have
// attempted to create a duplicate record.  Entry will be ignored" for a list's refusal of a
// duplicate key.
std::string ApplicationErrorText(std::exception_ptr error);

// The application-wide handler: an error box with OK showing ApplicationErrorText. (The silent
// abort never gets here: the controls' HandleException drops it.)
void ShowApplicationError(std::exception_ptr error);

// An information box with OK: the controls' information messages ("Function not yet
// implemented") and the print library's.
void ShowInformationBox(const std::string& text);

// The print library's information boxes, as boxes with OK.
class PromptingPqMessageSink final : public TPqMessageSink {
public:
    void Information(const std::string& text) override;
};

// Installs the program's message boxes while the object lives: the Qt prompter, the print
// library's sink, the controls' information messages, the application-wide exception handler
// and the record lists' report of a failed listener; the previous ones come back at its end.
class ProgramMessageBoxes {
public:
    ProgramMessageBoxes();
    ~ProgramMessageBoxes();
    ProgramMessageBoxes(const ProgramMessageBoxes&) = delete;
    ProgramMessageBoxes& operator=(const ProgramMessageBoxes&) = delete;

private:
    struct Installed;
    std::unique_ptr<Installed> installed_;
};

} // namespace duebell
