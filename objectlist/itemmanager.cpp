#include "objectlist/itemmanager.h"

#include "objectlist/exceptions.h"
#include "objectlist/objectitem.h"

#include <cstdlib>
#include <cxxabi.h>

namespace duebell {

namespace {

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') {
            x = static_cast<char>(x - 'a' + 'A');
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<char>(y - 'a' + 'A');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

// Managers live for the whole process. The registry is never destroyed, so records freed
// during static destruction (process-wide objects) still find their class.
std::vector<std::unique_ptr<TTovObjectItemManager>>& Registry() {
    static auto* registry = new std::vector<std::unique_ptr<TTovObjectItemManager>>;
    return *registry;
}

} // namespace

bool TTovObjectItemManager::InheritsFrom(const TTovObjectItemManager& other) const {
    for (const TTovObjectItemManager* c = this; c != nullptr; c = c->parent_) {
        if (c == &other) {
            return true;
        }
    }
    return false;
}

const TTovPropInfo* TTovObjectItemManager::FindPropInfo(std::string_view name) const {
    for (const TTovPropInfo* prop : props_) {
        if (SameTextAscii(prop->Name(), name)) {
            return prop;
        }
    }
    return nullptr;
}

TTovObjectItem* TTovObjectItemManager::Create(TTovObjectItem* owner) const {
    if (factory_ == nullptr) {
        throw InternalError("Records of class " + className_ + " cannot be created.");
    }
    std::unique_ptr<TTovObjectItem> item(factory_(owner));
    item->Initialize();
    return item.release();
}

TTovPropInfo& TTovObjectItemManager::AddProperty(std::string name) {
    auto prop = std::make_unique<TTovPropInfo>();
    prop->name_ = std::move(name);
    prop->index_ = PropCount();
    props_.push_back(prop.get());
    ownProps_.push_back(std::move(prop));
    return *ownProps_.back();
}

TTovObjectItemManager& RegisterItemClass(std::string className, TTovObjectItemManager* parent,
                                         TTovObjectItemManager::Factory factory,
                                         void (*declare)(TTovObjectItemManager&)) {
    auto manager = std::make_unique<TTovObjectItemManager>();
    manager->className_ = std::move(className);
    manager->parent_ = parent;
    manager->factory_ = factory;
    if (parent != nullptr) {
        manager->props_ = parent->props_;
        manager->listItemElementName_ = parent->listItemElementName_;
    }
    if (declare != nullptr) {
        declare(*manager);
    }
    Registry().push_back(std::move(manager));
    return *Registry().back();
}

TTovObjectItemManager* FindItemClass(std::string_view className) {
    for (const auto& manager : Registry()) {
        if (SameTextAscii(manager->ClassName(), className)) {
            return manager.get();
        }
    }
    return nullptr;
}

namespace detail {

std::string ShortTypeName(const std::type_info& type) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled != nullptr) ? demangled : type.name();
    std::free(demangled);
    std::size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

void WrongObjectClass(const std::string& propertyName) {
    throw ETovObjectListError("Invalid object for property \"" + propertyName + "\"");
}

} // namespace detail

} // namespace duebell
