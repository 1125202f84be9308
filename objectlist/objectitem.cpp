#include "objectlist/objectitem.h"

namespace duebell {

TTovObjectItem::TTovObjectItem(TTovObjectItem* owner) : owner_(owner) {
    AttachManager(GetItemManager<TTovObjectItem>());
}

TTovObjectItem::~TTovObjectItem() {
    --manager_->instanceCount_;
}

void TTovObjectItem::AttachManager(TTovObjectItemManager& manager) {
    if (manager_ != nullptr) {
        --manager_->instanceCount_;
    }
    manager_ = &manager;
    ++manager_->instanceCount_;
}

std::string TTovObjectItem::GetBareClassName() const {
    const std::string& name = ClassName();
    return name.empty() ? name : name.substr(1);
}

TTovObjectList* TTovObjectItem::GetImplicitList() const {
    return nullptr;
}

std::string TTovObjectItem::GetImplicitListName() const {
    return {};
}

std::string TTovObjectItem::GetPropertyElementName(const TTovPropInfo& prop) const {
    return PropertyNameToElementName(prop.Name());
}

std::string TTovObjectItem::PropertyNameToElementName(const std::string& name) const {
    return name;
}

bool TTovObjectItem::IncludeSubObject(TTovObjectItem*, bool) const {
    return true;
}

bool TTovObjectItem::IncludeChildList(TTovObjectList*, const TTovPropInfo&, bool) const {
    return true;
}

bool TTovObjectItem::IncludeProperty(const TTovPropInfo&, bool) const {
    return true;
}

void TTovObjectItem::Initialize() {}

std::string TTovObjectItem::GetElementName() const {
    return GetBareClassName();
}

std::string TTovObjectItem::GetElementText() const {
    return {};
}

void TTovObjectItem::AfterLoad() {}

std::string TTovObjectItem::GetXsiTypeName() const {
    return {};
}

void TTovObjectItem::AddElementAttributes(std::vector<SaxAttribute>&) const {}

void TTovObjectItem::AddListAttributes(TTovObjectList*, const TTovPropInfo&,
                                       std::vector<SaxAttribute>&) const {}

bool TTovObjectItem::IsAttribute(const TTovPropInfo&) const {
    return false;
}

void TTovObjectItem::ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind) {}

} // namespace duebell
