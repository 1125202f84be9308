// The one way the program asks for help: by help context (a dialog's Help button, the set-up
// guidance, the "Help me with" list), the table of contents, or a topic by name. The program
// installs its help viewer; tests install a recorder. With none installed a request does
// nothing.
#pragma once

#include <string>

namespace duebell {

class HelpSystem {
public:
    virtual ~HelpSystem() = default;
    virtual void ShowContext(int helpContext) = 0;
    virtual void ShowContents() = 0;
    virtual void ShowTopic(const std::string& topic) = 0;
};

// Installs the help system (nullptr removes it) and gives back the previous one; the caller
// keeps ownership.
HelpSystem* SetHelpSystem(HelpSystem* helpSystem);

void ShowHelpContext(int helpContext);
void ShowHelpContents();
void ShowHelpTopic(const std::string& topic);

} // namespace duebell
