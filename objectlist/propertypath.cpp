#include "objectlist/propertypath.h"

#include "objectlist/objectitem.h"

namespace duebell {

TTovPropertyPath ResolvePropertyPath(TTovObjectItem& root, std::string_view path) {
    TTovObjectItem* item = &root;
    for (;;) {
        std::size_t dot = path.find('.');
        const TTovPropInfo* prop = item->ItemManager().FindPropInfo(path.substr(0, dot));
        if (prop == nullptr) {
            return {};
        }
        if (dot == std::string_view::npos) {
            return {item, prop};
        }
        if (prop->Kind() != TTovPropertyKind::Class) {
            return {};
        }
        item = dynamic_cast<TTovObjectItem*>(prop->GetObject(*item));
        if (item == nullptr) {
            return {};
        }
        path.remove_prefix(dot + 1);
    }
}

} // namespace duebell
