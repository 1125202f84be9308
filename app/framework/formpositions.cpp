#include "app/framework/formpositions.h"

namespace duebell {

void TCollectionItemPosition::DeclareProperties(TTovPropertyTable<TCollectionItemPosition>& table) {
    table.Property("ItemIndex", &TCollectionItemPosition::ItemIndex)
        .Property("Width", &TCollectionItemPosition::Width);
}

TCollectionPosition::TCollectionPosition(TTovObjectItem* owner)
    : TTovRecord(owner),
      ItemPositionList(MakeOwnedObjectList<TCollectionItemPosition>("ItemIndex")) {}

void TCollectionPosition::DeclareProperties(TTovPropertyTable<TCollectionPosition>& table) {
    table.Property("CollectionName", &TCollectionPosition::CollectionName)
        .ChildList("ItemPositionList", &TCollectionPosition::ItemPositionList);
}

TComponentPosition::TComponentPosition(TTovObjectItem* owner)
    : TTovRecord(owner),
      ComponentPositionList(MakeOwnedObjectList<TComponentPosition>("ControlName")),
      CollectionList(MakeOwnedObjectList<TCollectionPosition>("CollectionName")) {}

void TComponentPosition::DeclareProperties(TTovPropertyTable<TComponentPosition>& table) {
    table.Property("ControlName", &TComponentPosition::ControlName)
        .Property("Left", &TComponentPosition::Left)
        .Property("Width", &TComponentPosition::Width)
        .Property("IgnorePosition", &TComponentPosition::IgnorePosition)
        .ChildList("ComponentPositionList", &TComponentPosition::ComponentPositionList)
        .ChildList("CollectionList", &TComponentPosition::CollectionList);
}

} // namespace duebell
