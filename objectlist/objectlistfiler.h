// The record filer framework: a filer moves the records of a TTovObjectList to or from some
// outside form one record at a time. The list drives it (LoadFromFiler, SaveToFiler,
// SaveToFilerWithSubLists below) and calls its virtual steps in a fixed order; a concrete
// filer overrides the steps it needs. The XML filer does a whole document in its first step;
// the grid filer writes one grid row per record.
//
// Column-oriented filers get a plan (TTovFieldMapping rows) that maps each published property
// to a field, and nested child lists flattened into one output record per leaf record, each
// combining the current record of every level (TTovSubItem rows).
#pragma once

#include "objectlist/objectlist.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

enum TTovObjectNodeType : int { ntObject = 0, ntList = 1, ntProperty = 2, ntImplicitList = 3 };

// One row of a filer's plan: a published property at one level of a flattened record.
class TTovFieldMapping : public TTovRecord<TTovFieldMapping> {
public:
    using TTovRecord::TTovRecord;

    // The record whose value the row is moving now (a sub-record for a sub-record's row);
    // nothing before the first record.
    TTovObjectItem* TovObjectItem = nullptr;
    std::string TovPropertyName;       // the property's element name
    std::int32_t TovSubIndex = 0;      // level in a flattened record, 0 for the list itself
    std::int32_t TovClassIndex = 0;    // the record class, numbered in order of appearance
    std::int32_t TovPropertyIndex = 0; // position in the class's property table
    std::int32_t TovSubListCount = 0;  // sub-item levels known when the row was made
    std::string FieldName;             // decided by MapField
    std::int32_t FieldIndex = 0;
    bool Mapped = false;
    bool IsIndexField = false; // one of the list's sort fields

    TTovObjectItemClass ItemClass = nullptr;
    const TTovPropInfo* PropInfo = nullptr;

    static void DeclareProperties(TTovPropertyTable<TTovFieldMapping>& table);
};

// One level of a flattened record: the level's list (nothing for a sub-record level) and its
// current record.
class TTovSubItem : public TTovRecord<TTovSubItem> {
public:
    using TTovRecord::TTovRecord;

    std::int32_t SubIndex = 0;
    TTovObjectItem* TovObjectItem = nullptr;
    TTovObjectList* TovObjectList = nullptr;
    // ntList for a list level, ntObject for a sub-record level, ntProperty for the leaf level.
    TTovObjectNodeType NodeType = ntList;
    TTovObjectItem* ParentItem = nullptr;
    std::int32_t RecordCount = 0; // leaf records written at this level

    static void DeclareProperties(TTovPropertyTable<TTovSubItem>& table);
};

// Decides whether a flattened record is written: called with the leaf record, its level and
// (always) no sub-item list; Include is true on entry.
using TTovObjectListFilterRecord = std::function<void(TTovObjectItem* item, TTovSubItem* subItem,
                                                      TTovObjectList* subItems, bool& include)>;

class TTovObjectListFiler {
public:
    explicit TTovObjectListFiler(TTovObjectList* list);
    virtual ~TTovObjectListFiler();
    TTovObjectListFiler(const TTovObjectListFiler&) = delete;
    TTovObjectListFiler& operator=(const TTovObjectListFiler&) = delete;

    TTovObjectList* List() const { return list_; }
    bool Reading() const { return reading_; }
    int RecordCount() const { return recordCount_; }
    // The plan, ordered by level, record class, property position.
    TTovObjectList& FieldMappings() const { return *plan_; }
    // The levels of a flattened record, ordered by SubIndex.
    TTovObjectList& SubItems() const { return *subItems_; }
    const std::vector<std::string>& SubListPath() const { return subListPath_; }

    TTovObjectListFilterRecord OnFilterRecord;

    // The steps, in the order the list calls them; the defaults are those of a filer that
    // moves nothing by itself.
    virtual void BeginRead(bool& ok);
    virtual void BeginWrite(bool& ok);
    virtual void EndRead();
    virtual void EndWrite();
    virtual bool ReadNextRecord(bool& ok);
    virtual void BeginReadRecords(bool& ok);
    virtual void EndReadRecords();
    // Fills the record from the current outside record through the typed reads.
    virtual void ReadItem(TTovObjectItem* item, bool& ok);
    virtual void NextWriteRecord();
    // False writes no records.
    virtual bool BeginWriteRecords();
    virtual void EndWriteRecords();
    // Writes the record's mapped properties through the typed writes.
    virtual void WriteItem(TTovObjectItem* item);
    // Writes one flattened record: the current record of every level, then NextWriteRecord.
    virtual void WriteSubItemRecord(TTovObjectList& subItems);
    virtual double ReadDateTimeValue(TTovFieldMapping& mapping);
    virtual double ReadFloatValue(TTovFieldMapping& mapping);
    virtual std::int32_t ReadOrdinalValue(TTovFieldMapping& mapping);
    virtual std::int64_t ReadInt64Value(TTovFieldMapping& mapping);
    virtual std::string ReadStringValue(TTovFieldMapping& mapping);
    // Decides the row's FieldName, FieldIndex and Mapped.
    virtual void MapField(TTovFieldMapping& mapping);
    virtual void WriteDateTimeValue(TTovFieldMapping& mapping, double value);
    virtual void WriteFloatValue(TTovFieldMapping& mapping, double value);
    virtual void WriteOrdinalValue(TTovFieldMapping& mapping, std::int32_t value);
    virtual void WriteInt64Value(TTovFieldMapping& mapping, std::int64_t value);
    virtual void WriteStringValue(TTovFieldMapping& mapping, const std::string& value);

    // Adds the rows of a record class at a level (sub-record classes first, at the same level);
    // a row with the same property name as an existing one replaces it.
    void BuildFieldMappings(TTovObjectItemClass itemClass, TTovObjectListDescriptor* descriptor,
                            int level, bool clearFirst);

protected:
    void SetList(TTovObjectList* list) { list_ = list; }
    void SetRecordCount(int count) { recordCount_ = count; }

private:
    friend void LoadFromFiler(TTovObjectList& list, TTovObjectListFiler& filer,
                              TTovObjectItem* owner);
    friend int SaveToFiler(TTovObjectList& list, TTovObjectListFiler& filer);
    friend int SaveToFilerWithSubLists(TTovObjectList& list, TTovObjectListFiler& filer,
                                       std::string_view subLists);

    class FlatteningWalk;

    void StartPass(TTovObjectList& list, bool reading);
    void ReadProperties(TTovObjectItem& item, bool& ok);
    int ClassIndex(TTovObjectItemClass itemClass);
    bool ClassInPlan(const TTovObjectItemManager& itemClass) const;
    // The owned sub-record a class row leads to, when the plan covers its class and the record
    // includes it in this direction; else nullptr.
    TTovObjectItem* FiledSubRecord(TTovObjectItem& item, const TTovPropInfo& prop,
                                   bool writing) const;

    TTovObjectList* list_;
    bool reading_ = false;
    int recordCount_ = 0;
    TTovOwnedObjectList plan_;
    TTovOwnedObjectList subItems_;
    std::vector<std::string> subListPath_;
    std::vector<TTovObjectItemClass> planClasses_; // index = TovClassIndex
};

// Reads records from the filer into the list; new records get Owner as their owner.
void LoadFromFiler(TTovObjectList& list, TTovObjectListFiler& filer, TTovObjectItem* owner);
// Writes every record of the list; gives the number of records written.
int SaveToFiler(TTovObjectList& list, TTovObjectListFiler& filer);
// As SaveToFiler, with the child lists (or sub-records) named by SubLists - a comma list, one
// property name per level below the list - flattened into one output record per leaf record.
// A record whose child list is empty gives no output record. A name that is no property of
// a level's record raises "Could not find list or object named "<name>" in class "<class>"".
int SaveToFilerWithSubLists(TTovObjectList& list, TTovObjectListFiler& filer,
                            std::string_view subLists);

} // namespace duebell
