#include "objectlist/treeadoption.h"

#include "objectlist/objectlist.h"

#include <memory>
#include <vector>

namespace duebell {

namespace {

template <typename Object> Object* ObjectOf(const TTovObjectItem& item, const TTovPropInfo& prop) {
    return dynamic_cast<Object*>(prop.GetObject(item));
}

void MoveRecords(TTovObjectList& target, TTovObjectList& loaded) {
    std::vector<std::unique_ptr<TTovObjectItem>> records;
    records.reserve(loaded.Count());
    for (TTovObjectItem* record : loaded)
        records.emplace_back(record);
    loaded.Clear();
    target.FreeAll();
    for (std::unique_ptr<TTovObjectItem>& record : records)
        target.Add(std::move(record));
}

} // namespace

TTovStandIns PairStandIns(TTovObjectItem& target, TTovObjectItem& loaded) {
    TTovStandIns standIns{{&loaded, &target}};
    for (const TTovPropInfo* prop : target.ItemManager().Properties()) {
        if (prop->ObjectKind() != TTovObjectKind::SubRecord)
            continue;
        auto* targetSub = ObjectOf<TTovObjectItem>(target, *prop);
        auto* loadedSub = ObjectOf<TTovObjectItem>(loaded, *prop);
        if (targetSub != nullptr && loadedSub != nullptr)
            standIns.merge(PairStandIns(*targetSub, *loadedSub));
    }
    return standIns;
}

void AdoptLoadedTree(TTovObjectItem& target, TTovObjectItem& loaded) {
    target.AssignProperties(loaded, /*skipSubObjects=*/true, /*clearLists=*/false,
                            /*shareSubObjects=*/false, /*skipLists=*/true);
    for (const TTovPropInfo* prop : target.ItemManager().Properties()) {
        if (prop->ObjectKind() == TTovObjectKind::SubRecord) {
            auto* targetSub = ObjectOf<TTovObjectItem>(target, *prop);
            auto* loadedSub = ObjectOf<TTovObjectItem>(loaded, *prop);
            if (targetSub != nullptr && loadedSub != nullptr)
                AdoptLoadedTree(*targetSub, *loadedSub);
        } else if (prop->ObjectKind() == TTovObjectKind::ChildList) {
            auto* targetList = ObjectOf<TTovObjectList>(target, *prop);
            auto* loadedList = ObjectOf<TTovObjectList>(loaded, *prop);
            if (targetList != nullptr && loadedList != nullptr)
                MoveRecords(*targetList, *loadedList);
        }
    }
}

} // namespace duebell
