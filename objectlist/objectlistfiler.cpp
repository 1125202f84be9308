#include "objectlist/objectlistfiler.h"

#include "objectlist/exceptions.h"
#include "objectlist/textcase.h"

#include <algorithm>
#include <memory>

namespace duebell {

namespace {

TTovObjectListDescriptor* NewSortedDescriptor(TTovObjectItemClass itemClass,
                                              const char* sortFields) {
    auto* descriptor = new TTovObjectListDescriptor(itemClass);
    descriptor->SetSortFields(sortFields);
    descriptor->SetSorted(true);
    return descriptor;
}

// The two sort descriptions every filer's working lists share.
TTovObjectListDescriptor& FieldMappingDescriptor() {
    static TTovObjectListDescriptor* descriptor = NewSortedDescriptor(
        &TTovFieldMapping::ClassManager(), "TovSubIndex,TovClassIndex,TovPropertyIndex");
    return *descriptor;
}

TTovObjectListDescriptor& SubItemDescriptor() {
    static TTovObjectListDescriptor* descriptor =
        NewSortedDescriptor(&TTovSubItem::ClassManager(), "SubIndex");
    return *descriptor;
}

TTovOwnedObjectList MakeWorkingList(TTovObjectItemClass itemClass,
                                    TTovObjectListDescriptor& descriptor) {
    return TTovOwnedObjectList(new TTovObjectList(itemClass, &descriptor));
}

bool IsSortField(const TTovObjectListDescriptor* descriptor, const TTovPropInfo& prop) {
    if (descriptor == nullptr)
        return false;
    const auto& sortProps = descriptor->SortProps();
    return std::find(sortProps.begin(), sortProps.end(), &prop) != sortProps.end();
}

bool IsOwnedSubRecord(const TTovPropInfo& prop) {
    return prop.Kind() == TTovPropertyKind::Class &&
           prop.ObjectKind() == TTovObjectKind::SubRecord && prop.HasSetter();
}

TTovObjectItem* SubRecordOf(const TTovObjectItem& item, const TTovPropInfo& prop) {
    return dynamic_cast<TTovObjectItem*>(prop.GetObject(item));
}

// Whether the plan row moves a value of this record: its class, and mapped to a field (class
// rows always count, since their sub-records are followed).
bool RowFilesValueOf(const TTovFieldMapping& row, const TTovObjectItem& item) {
    return row.ItemClass == &item.ItemManager() &&
           (row.Mapped || row.PropInfo->Kind() == TTovPropertyKind::Class);
}

std::vector<std::string> SplitPath(std::string_view subLists) {
    std::vector<std::string> names;
    std::string name;
    const auto flush = [&] {
        if (!name.empty())
            names.push_back(UpperCaseAscii(name));
        name.clear();
    };
    for (char c : subLists) {
        if (c == ',' || c == ' ' || c == '\t')
            flush();
        else
            name.push_back(c);
    }
    flush();
    return names;
}

} // namespace

void TTovFieldMapping::DeclareProperties(TTovPropertyTable<TTovFieldMapping>& table) {
    table.Reference("TovObjectItem", &TTovFieldMapping::TovObjectItem)
        .Property("TovPropertyName", &TTovFieldMapping::TovPropertyName)
        .Property("TovSubIndex", &TTovFieldMapping::TovSubIndex)
        .Property("TovClassIndex", &TTovFieldMapping::TovClassIndex)
        .Property("TovPropertyIndex", &TTovFieldMapping::TovPropertyIndex)
        .Property("TovSubListCount", &TTovFieldMapping::TovSubListCount)
        .Property("FieldName", &TTovFieldMapping::FieldName)
        .Property("FieldIndex", &TTovFieldMapping::FieldIndex)
        .Property("Mapped", &TTovFieldMapping::Mapped)
        .Property("IsIndexField", &TTovFieldMapping::IsIndexField);
}

void TTovSubItem::DeclareProperties(TTovPropertyTable<TTovSubItem>& table) {
    table.Property("SubIndex", &TTovSubItem::SubIndex)
        .Reference("TovObjectItem", &TTovSubItem::TovObjectItem)
        .Reference("TovObjectList", &TTovSubItem::TovObjectList)
        .Property("NodeType", &TTovSubItem::NodeType)
        .Reference("ParentItem", &TTovSubItem::ParentItem)
        .Property("RecordCount", &TTovSubItem::RecordCount);
}

// Construction and the default steps -------------------------------------------------------

TTovObjectListFiler::TTovObjectListFiler(TTovObjectList* list)
    : list_(list),
      plan_(MakeWorkingList(&TTovFieldMapping::ClassManager(), FieldMappingDescriptor())),
      subItems_(MakeWorkingList(&TTovSubItem::ClassManager(), SubItemDescriptor())) {}

TTovObjectListFiler::~TTovObjectListFiler() = default;

void TTovObjectListFiler::BeginRead(bool& ok) {
    ok = true;
    recordCount_ = 0;
}

void TTovObjectListFiler::BeginWrite(bool&) {
    recordCount_ = 0;
}
void TTovObjectListFiler::EndRead() {}
void TTovObjectListFiler::EndWrite() {}

bool TTovObjectListFiler::ReadNextRecord(bool& ok) {
    ok = true;
    return true;
}

void TTovObjectListFiler::BeginReadRecords(bool& ok) {
    ok = true;
}
void TTovObjectListFiler::EndReadRecords() {}

void TTovObjectListFiler::ReadItem(TTovObjectItem* item, bool& ok) {
    ReadProperties(*item, ok);
}

void TTovObjectListFiler::NextWriteRecord() {
    ++recordCount_;
}
bool TTovObjectListFiler::BeginWriteRecords() {
    return true;
}
void TTovObjectListFiler::EndWriteRecords() {}

void TTovObjectListFiler::WriteItem(TTovObjectItem* item) {
    for (TTovObjectItem* planItem : *plan_) {
        auto& row = static_cast<TTovFieldMapping&>(*planItem);
        if (!RowFilesValueOf(row, *item))
            continue;
        row.TovObjectItem = item;
        const TTovPropInfo& prop = *row.PropInfo;
        switch (prop.Kind()) {
        case TTovPropertyKind::Integer:
        case TTovPropertyKind::Char:
        case TTovPropertyKind::Enumeration:
            WriteOrdinalValue(row, prop.GetOrdinal(*item));
            break;
        case TTovPropertyKind::Float:
            if (prop.IsDateKind())
                WriteDateTimeValue(row, prop.GetFloat(*item));
            else
                WriteFloatValue(row, prop.GetFloat(*item));
            break;
        case TTovPropertyKind::String:
            WriteStringValue(row, prop.GetString(*item));
            break;
        case TTovPropertyKind::Int64:
            WriteInt64Value(row, prop.GetInt64(*item));
            break;
        case TTovPropertyKind::Class:
            if (TTovObjectItem* sub = FiledSubRecord(*item, prop, true))
                WriteItem(sub);
            break;
        }
    }
}

void TTovObjectListFiler::WriteSubItemRecord(TTovObjectList& subItems) {
    for (TTovObjectItem* levelItem : subItems) {
        auto& level = static_cast<TTovSubItem&>(*levelItem);
        if (level.TovObjectList != nullptr)
            list_ = level.TovObjectList;
        WriteItem(level.TovObjectItem);
    }
    NextWriteRecord();
}

double TTovObjectListFiler::ReadDateTimeValue(TTovFieldMapping&) {
    return 0.0;
}
double TTovObjectListFiler::ReadFloatValue(TTovFieldMapping&) {
    return 0.0;
}
std::int32_t TTovObjectListFiler::ReadOrdinalValue(TTovFieldMapping&) {
    return 0;
}
std::int64_t TTovObjectListFiler::ReadInt64Value(TTovFieldMapping&) {
    return 0;
}
std::string TTovObjectListFiler::ReadStringValue(TTovFieldMapping&) {
    return {};
}
void TTovObjectListFiler::MapField(TTovFieldMapping&) {}
void TTovObjectListFiler::WriteDateTimeValue(TTovFieldMapping&, double) {}
void TTovObjectListFiler::WriteFloatValue(TTovFieldMapping&, double) {}
void TTovObjectListFiler::WriteOrdinalValue(TTovFieldMapping&, std::int32_t) {}
void TTovObjectListFiler::WriteInt64Value(TTovFieldMapping&, std::int64_t) {}
void TTovObjectListFiler::WriteStringValue(TTovFieldMapping&, const std::string&) {}

// The plan -----------------------------------------------------------------------------------

void TTovObjectListFiler::BuildFieldMappings(TTovObjectItemClass itemClass,
                                             TTovObjectListDescriptor* descriptor, int level,
                                             bool clearFirst) {
    if (clearFirst) {
        plan_->FreeAll();
        planClasses_.clear();
    }
    const int classIndex = ClassIndex(itemClass);
    // Element names are a record's business, so ask a record of the class.
    const std::unique_ptr<TTovObjectItem> prototype(itemClass->Create(nullptr));
    for (const TTovPropInfo* prop : itemClass->Properties()) {
        if (IsOwnedSubRecord(*prop) && prop->RecordClass() != nullptr &&
            !ClassInPlan(*prop->RecordClass()))
            BuildFieldMappings(prop->RecordClass(), nullptr, level, false);

        auto row = std::unique_ptr<TTovFieldMapping>(CreateItem<TTovFieldMapping>(nullptr));
        row->TovPropertyName = prototype->GetPropertyElementName(*prop);
        row->TovSubIndex = level;
        row->TovClassIndex = classIndex;
        row->TovPropertyIndex = prop->Index();
        row->TovSubListCount = subItems_->Count();
        row->ItemClass = itemClass;
        row->PropInfo = prop;
        row->IsIndexField = IsSortField(descriptor, *prop);

        for (TTovObjectItem* planItem : *plan_) {
            auto& existing = static_cast<TTovFieldMapping&>(*planItem);
            if (EqualsIgnoringCase(existing.TovPropertyName, row->TovPropertyName)) {
                plan_->FindItem(existing);
                plan_->Delete();
                delete &existing;
                break;
            }
        }
        MapField(*plan_->Add(std::move(row)));
    }
}

int TTovObjectListFiler::ClassIndex(TTovObjectItemClass itemClass) {
    const auto found = std::find(planClasses_.begin(), planClasses_.end(), itemClass);
    if (found != planClasses_.end())
        return static_cast<int>(found - planClasses_.begin());
    planClasses_.push_back(itemClass);
    return static_cast<int>(planClasses_.size()) - 1;
}

bool TTovObjectListFiler::ClassInPlan(const TTovObjectItemManager& itemClass) const {
    return std::find(planClasses_.begin(), planClasses_.end(), &itemClass) != planClasses_.end();
}

TTovObjectItem* TTovObjectListFiler::FiledSubRecord(TTovObjectItem& item, const TTovPropInfo& prop,
                                                    bool writing) const {
    if (!IsOwnedSubRecord(prop))
        return nullptr;
    TTovObjectItem* sub = SubRecordOf(item, prop);
    if (sub != nullptr && ClassInPlan(sub->ItemManager()) && item.IncludeSubObject(sub, writing))
        return sub;
    return nullptr;
}

void TTovObjectListFiler::ReadProperties(TTovObjectItem& item, bool& ok) {
    for (TTovObjectItem* planItem : *plan_) {
        auto& row = static_cast<TTovFieldMapping&>(*planItem);
        if (!RowFilesValueOf(row, item))
            continue;
        row.TovObjectItem = &item;
        const TTovPropInfo& prop = *row.PropInfo;
        switch (prop.Kind()) {
        case TTovPropertyKind::Integer:
        case TTovPropertyKind::Char:
        case TTovPropertyKind::Enumeration:
            prop.SetOrdinal(item, ReadOrdinalValue(row));
            break;
        case TTovPropertyKind::Float:
            prop.SetFloat(item, prop.IsDateKind() ? ReadDateTimeValue(row) : ReadFloatValue(row));
            break;
        case TTovPropertyKind::String:
            prop.SetString(item, ReadStringValue(row));
            break;
        case TTovPropertyKind::Int64:
            prop.SetInt64(item, ReadInt64Value(row));
            break;
        case TTovPropertyKind::Class:
            if (TTovObjectItem* sub = FiledSubRecord(item, prop, false))
                ReadProperties(*sub, ok);
            break;
        }
    }
}

void TTovObjectListFiler::StartPass(TTovObjectList& list, bool reading) {
    list_ = &list;
    reading_ = reading;
    recordCount_ = 0;
    plan_->FreeAll();
    subItems_->FreeAll();
    planClasses_.clear();
    subListPath_.clear();
}

// The flattening walk ------------------------------------------------------------------------

// Visits every leaf record of the nested lists, keeping one TTovSubItem per level current.
// The counting pass only builds the plan of every level; the writing pass writes.
class TTovObjectListFiler::FlatteningWalk {
public:
    FlatteningWalk(TTovObjectListFiler& filer, bool writing) : filer_(filer), writing_(writing) {}

    void VisitList(int level, TTovObjectList& list, TTovObjectItem* parent) {
        TTovSubItem& sub = Level(level);
        sub.TovObjectList = &list;
        sub.ParentItem = parent;
        sub.NodeType = IsLeaf(level) ? ntProperty : ntList;
        EnsurePlan(level, &list.ItemClass(), &list.Descriptor());
        for (TTovObjectItem* record : list) {
            sub.TovObjectItem = record;
            VisitRecord(level, *record);
        }
    }

private:
    bool IsLeaf(int level) const { return level == static_cast<int>(filer_.subListPath_.size()); }

    void VisitRecord(int level, TTovObjectItem& record) {
        if (IsLeaf(level)) {
            if (writing_)
                WriteLeaf(level, record);
            return;
        }
        const TTovPropInfo* prop = ResolveSubListPath(level, record);
        const TTovObjectKind kind = prop->ObjectKind();
        if (kind == TTovObjectKind::ChildList) {
            if (auto* child = dynamic_cast<TTovObjectList*>(prop->GetObject(record)))
                VisitList(level + 1, *child, &record);
            return;
        }
        TTovObjectItem* sub = SubRecordOf(record, *prop);
        if (sub == nullptr)
            return;
        TTovSubItem& next = Level(level + 1);
        next.TovObjectList = nullptr;
        next.ParentItem = &record;
        next.NodeType = IsLeaf(level + 1) ? ntProperty : ntObject;
        next.TovObjectItem = sub;
        EnsurePlan(level + 1, &sub->ItemManager(), nullptr);
        VisitRecord(level + 1, *sub);
    }

    // The child list or sub-record the path names on this level's record.
    const TTovPropInfo* ResolveSubListPath(int level, const TTovObjectItem& record) const {
        const std::string& name = filer_.subListPath_[static_cast<std::size_t>(level)];
        const TTovPropInfo* prop = record.ItemManager().FindPropInfo(name);
        if (prop == nullptr || prop->Kind() != TTovPropertyKind::Class ||
            (prop->ObjectKind() != TTovObjectKind::ChildList &&
             prop->ObjectKind() != TTovObjectKind::SubRecord))
            throw Exception("Could not find list or object named \"" + name + "\" in class \"" +
                            record.ClassName() + "\"");
        return prop;
    }

    void WriteLeaf(int level, TTovObjectItem& record) {
        TTovSubItem& sub = Level(level);
        bool include = true;
        if (filer_.OnFilterRecord)
            filer_.OnFilterRecord(&record, &sub, nullptr, include);
        if (!include)
            return;
        filer_.WriteSubItemRecord(*filer_.subItems_);
        ++sub.RecordCount;
    }

    TTovSubItem& Level(int level) {
        TTovObjectList& subItems = *filer_.subItems_;
        for (TTovObjectItem* item : subItems) {
            auto& sub = static_cast<TTovSubItem&>(*item);
            if (sub.SubIndex == level)
                return sub;
        }
        auto sub = MakeItem<TTovSubItem>(nullptr);
        sub->SubIndex = level;
        return *subItems.Add(std::move(sub));
    }

    void EnsurePlan(int level, TTovObjectItemClass itemClass,
                    TTovObjectListDescriptor* descriptor) {
        const std::pair<int, TTovObjectItemClass> key(level, itemClass);
        if (std::find(planned_.begin(), planned_.end(), key) != planned_.end())
            return;
        planned_.push_back(key);
        if (level > 0 || itemClass != &filer_.list_->ItemClass())
            filer_.BuildFieldMappings(itemClass, descriptor, level, false);
    }

    TTovObjectListFiler& filer_;
    bool writing_;
    std::vector<std::pair<int, TTovObjectItemClass>> planned_;
};

// Driving a filer ----------------------------------------------------------------------------

void LoadFromFiler(TTovObjectList& list, TTovObjectListFiler& filer, TTovObjectItem* owner) {
    filer.StartPass(list, true);
    bool ok = true;
    filer.BeginRead(ok);
    if (!ok)
        return;
    filer.BeginReadRecords(ok);
    if (ok)
        filer.BuildFieldMappings(&list.ItemClass(), &list.Descriptor(), 0, true);
    while (ok) {
        if (!filer.ReadNextRecord(ok))
            continue;
        std::unique_ptr<TTovObjectItem> record(list.ItemClass().Create(owner));
        filer.ReadItem(record.get(), ok);
        list.Add(std::move(record));
        ++filer.recordCount_;
    }
    filer.EndReadRecords();
    filer.EndRead();
}

int SaveToFiler(TTovObjectList& list, TTovObjectListFiler& filer) {
    filer.StartPass(list, false);
    bool ok = true;
    filer.BeginWrite(ok);
    if (ok) {
        filer.BuildFieldMappings(&list.ItemClass(), &list.Descriptor(), 0, true);
        if (filer.BeginWriteRecords()) {
            for (TTovObjectItem* record : list) {
                filer.WriteItem(record);
                filer.NextWriteRecord();
            }
            filer.EndWriteRecords();
        }
    }
    filer.EndWrite();
    return filer.RecordCount();
}

int SaveToFilerWithSubLists(TTovObjectList& list, TTovObjectListFiler& filer,
                            std::string_view subLists) {
    filer.StartPass(list, false);
    filer.subListPath_ = SplitPath(subLists);
    bool ok = true;
    filer.BeginWrite(ok);
    if (ok) {
        filer.BuildFieldMappings(&list.ItemClass(), &list.Descriptor(), 0, true);
        TTovObjectListFiler::FlatteningWalk(filer, false).VisitList(0, list, nullptr);
        if (filer.BeginWriteRecords()) {
            TTovObjectListFiler::FlatteningWalk(filer, true).VisitList(0, list, nullptr);
            filer.EndWriteRecords();
        }
        filer.list_ = &list;
    }
    filer.EndWrite();
    return filer.RecordCount();
}

} // namespace duebell
