#include "app/framework/helpsystem.h"

namespace duebell {

namespace {
HelpSystem* installedHelpSystem = nullptr;
}

HelpSystem* SetHelpSystem(HelpSystem* helpSystem) {
    HelpSystem* previous = installedHelpSystem;
    installedHelpSystem = helpSystem;
    return previous;
}

void ShowHelpContext(int helpContext) {
    if (installedHelpSystem != nullptr)
        installedHelpSystem->ShowContext(helpContext);
}

void ShowHelpContents() {
    if (installedHelpSystem != nullptr)
        installedHelpSystem->ShowContents();
}

void ShowHelpTopic(const std::string& topic) {
    if (installedHelpSystem != nullptr)
        installedHelpSystem->ShowTopic(topic);
}

} // namespace duebell
