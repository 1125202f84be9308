// Lookup of records by key values: Locate and its variants.
#include "objectlist/exceptions.h"
#include "objectlist/objectlist.h"

#include <memory>

namespace duebell {

void TTovObjectList::CheckLocateValues(const Variant& values, bool countCheck) const {
    if (values.IsNull() || values.IsEmpty()) {
        throw ETovObjectListError("Locate values cannot be null or empty");
    }
    if (!Sorted()) {
        throw ETovObjectListError("Locate function must be called on a sorted object list");
    }
    if (!countCheck) {
        return;
    }
    const bool tooMany =
        SortCount() == 1
            ? values.IsArray() && values.AsArray().size() > 1
            : SortCount() > 1 &&
                  (!values.IsArray() || static_cast<int>(values.AsArray().size()) != SortCount());
    if (tooMany) {
        throw ETovObjectListError("Value count not equal to sort field count - " + SortFields());
    }
}

TTovObjectItem& TTovObjectList::SearchTemplate() {
    if (!template_) {
        template_.reset(ItemClass().Create(nullptr));
    }
    return *template_;
}

int TTovObjectList::FillTemplate(const Variant& values) {
    TTovObjectItem& key = SearchTemplate();
    const auto& props = descriptor_->SortProps();
    if (!values.IsArray()) {
        if (!props.empty()) {
            key.SetPropertyValue(props[0], values);
        }
        return 1;
    }
    const auto& array = values.AsArray();
    const int count = std::min(static_cast<int>(array.size()), SortCount());
    for (int i = 0; i < count; ++i) {
        key.SetPropertyValue(props[i], array[i]);
    }
    return count;
}

TTovObjectItem* TTovObjectList::Locate(const Variant& values) {
    CheckLocateValues(values, true);
    FillTemplate(values);
    return Find(SearchTemplate(), -1);
}

TTovObjectItem* TTovObjectList::LocateNoMove(const Variant& values) {
    Node* cursor = cursor_;
    TTovObjectItem* found = Locate(values);
    cursor_ = cursor;
    return found;
}

TTovObjectItem* TTovObjectList::LocateOrAdd(const Variant& values, TTovObjectItem* owner) {
    if (TTovObjectItem* found = Locate(values)) {
        return found;
    }
    std::unique_ptr<TTovObjectItem> item(ItemClass().Create(owner));
    const TTovObjectItem& key = SearchTemplate();
    for (const TTovPropInfo* prop : descriptor_->SortProps()) {
        item->SetPropertyValue(prop, key.GetPropInfoValue(prop));
    }
    return Add(std::move(item));
}

TTovObjectItem* TTovObjectList::PartialLocate(const Variant& values) {
    CheckLocateValues(values, false);
    const int fields = FillTemplate(values);
    return Find(SearchTemplate(), fields);
}

} // namespace duebell
