// The layout a form scaler records: per named control its left edge and width, whether the
// scaler leaves it alone, its named child controls, and the widths of the items of its
// collections (an object-list grid's columns). Records of the record library, so a control
// is found among its siblings by name.
#pragma once

#include "objectlist/objectlist.h"

#include <cstdint>
#include <string>

namespace duebell {

// One item of a collection: its position and width.
class TCollectionItemPosition : public TTovRecord<TCollectionItemPosition> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t ItemIndex = 0;
    std::int32_t Width = 0;

    static void DeclareProperties(TTovPropertyTable<TCollectionItemPosition>& table);
};

// A collection of a control, named as the control publishes it ("Columns").
class TCollectionPosition : public TTovRecord<TCollectionPosition> {
public:
    explicit TCollectionPosition(TTovObjectItem* owner);

    std::string CollectionName;
    TTovOwnedObjectList ItemPositionList; // TCollectionItemPosition by "ItemIndex"

    static void DeclareProperties(TTovPropertyTable<TCollectionPosition>& table);
};

class TComponentPosition : public TTovRecord<TComponentPosition> {
public:
    explicit TComponentPosition(TTovObjectItem* owner);

    std::string ControlName;
    // Both 0 for a control placed by a layout: the scaler never moves or sizes it.
    std::int32_t Left = 0;
    std::int32_t Width = 0;
    bool IgnorePosition = false;               // push buttons keep their place and size
    TTovOwnedObjectList ComponentPositionList; // TComponentPosition by "ControlName"
    TTovOwnedObjectList CollectionList;        // TCollectionPosition by "CollectionName"

    static void DeclareProperties(TTovPropertyTable<TComponentPosition>& table);
};

} // namespace duebell
