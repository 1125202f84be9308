#include "app/framework/windowregistry.h"

#include "app/framework/modalrunner.h"
#include "objectlist/exceptions.h"

#include <QDialog>
#include <map>

namespace duebell {

namespace {

using Registry = std::map<std::string, WindowFactory>;

Registry& Windows() {
    static Registry registry;
    return registry;
}

} // namespace

void RegisterWindow(const std::string& className, WindowFactory factory) {
    if (!factory)
        throw InternalError("Window \"" + className + "\" registered without a factory.");
    Windows()[className] = std::move(factory);
}

bool IsWindowRegistered(const std::string& className) {
    return Windows().count(className) != 0;
}

OpenedWindow OpenWindow(const std::string& className, const WindowRequest& request) {
    const auto found = Windows().find(className);
    if (found == Windows().end())
        throw InternalError("No window \"" + className + "\" is registered.");
    // A copy, so a factory that registers windows itself cannot pull the rug from under us.
    const WindowFactory factory = found->second;
    return factory(request);
}

std::vector<std::string> RegisteredWindowNames() {
    std::vector<std::string> names;
    for (const auto& [name, factory] : Windows())
        names.push_back(name);
    return names;
}

WindowFactory
ModalDialogFactory(std::function<std::unique_ptr<QDialog>(const WindowRequest&)> make) {
    return [make = std::move(make)](const WindowRequest& request) {
        std::unique_ptr<QDialog> dialog = make(request);
        OpenedWindow opened;
        opened.modalResult = ExecModal(*dialog);
        return opened;
    };
}

struct ScopedWindowRegistry::Saved {
    Registry windows;
};

ScopedWindowRegistry::ScopedWindowRegistry() : saved_(std::make_unique<Saved>()) {
    saved_->windows.swap(Windows());
}

ScopedWindowRegistry::~ScopedWindowRegistry() {
    saved_->windows.swap(Windows());
}

} // namespace duebell
