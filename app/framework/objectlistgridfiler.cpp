#include "app/framework/objectlistgridfiler.h"

#include "app/framework/gridcelltext.h"
#include "app/framework/objectlistgrid.h"
#include "objectlist/textcase.h"

namespace duebell {

TTovObjectListGridFiler::TTovObjectListGridFiler(TTovObjectListGrid& grid, TTovObjectList* list)
    : TTovObjectListFiler(list), grid_(grid) {}

void TTovObjectListGridFiler::BeginWrite(bool& ok) {
    TTovObjectListFiler::BeginWrite(ok);
    shade_ = ShadeColor(ColorToRGB(clWindow));
    for (auto& column : grid_.columns_) {
        column->claimedBy_ = nullptr;
        column->prop_ = nullptr;
    }
    grid_.BeginRows();
}

void TTovObjectListGridFiler::EndWrite() {
    grid_.EndRows(RecordCount());
}

void TTovObjectListGridFiler::WriteItem(TTovObjectItem*) {}

void TTovObjectListGridFiler::WriteSubItemRecord(TTovObjectList& subItems) {
    const int row = grid_.FixedRows() + RecordCount();
    grid_.EnsureRows(row + 1);
    std::vector<TTovObject*> objects;
    for (TTovObjectItem* levelItem : subItems) {
        const auto& level = static_cast<const TTovSubItem&>(*levelItem);
        // A record of a child list follows its list; the shown list's records stand first.
        if (level.SubIndex > 0 && level.TovObjectList != nullptr)
            objects.push_back(level.TovObjectList);
        objects.push_back(level.TovObjectItem);
        FillCells(row, *level.TovObjectItem);
    }
    // Every second row is banded, starting with the second data row (the caption row is 0).
    if (row % 2 == 0)
        grid_.SetColorRow(row, shade_);
    else
        grid_.ResetColorRow(row);
    grid_.StoreRow(row, std::move(objects));
    NextWriteRecord();
}

void TTovObjectListGridFiler::FillCells(int row, const TTovObjectItem& record) {
    const TTovObjectItemManager& itemClass = record.ItemManager();
    for (auto& column : grid_.columns_) {
        if (column->claimedBy_ == nullptr) {
            if (const TTovPropInfo* prop = itemClass.FindPropInfo(column->propertyName_))
                column->Claim(itemClass, *prop);
        }
        std::string text;
        if (column->claimedBy_ != nullptr && itemClass.InheritsFrom(*column->claimedBy_) &&
            PropertyCellText(record, *column->prop_, text))
            grid_.SetCells(column->index_, row, text);
    }
    for (const TTovPropInfo* prop : itemClass.Properties()) {
        if (prop->Kind() != TTovPropertyKind::Class ||
            prop->ObjectKind() != TTovObjectKind::SubRecord)
            continue;
        if (auto* sub = dynamic_cast<const TTovObjectItem*>(prop->GetObject(record)))
            FillCells(row, *sub);
    }
}

void TTovObjectListGridFiler::MapField(TTovFieldMapping& mapping) {
    for (auto& column : grid_.columns_) {
        if (!EqualsIgnoringCase(column->propertyName_, mapping.TovPropertyName))
            continue;
        if (!mapping.Mapped) {
            mapping.FieldIndex = column->index_;
            mapping.FieldName = column->propertyName_;
            mapping.Mapped = true;
        }
        column->Claim(*mapping.ItemClass, *mapping.PropInfo);
    }
}

} // namespace duebell
