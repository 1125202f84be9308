// A small record hierarchy for the record and list tests: a person with every property kind,
// an owned address, an owned list of children and a reference to a friend; a student derived
// from it; and a plain keyed row for list tests.
#pragma once

#include "objectlist/objectlist.h"

#include <cstdint>
#include <string>
#include <vector>

namespace duebell::testing {

enum TTestColour { tcRed, tcGreen, tcBlue };

class TTestAddress : public TTovRecord<TTestAddress> {
public:
    using TTovRecord::TTovRecord;
    std::string StreetNo;
    std::string Suburb;
    std::string Summary() const { return StreetNo + " " + Suburb; }

    static void DeclareProperties(TTovPropertyTable<TTestAddress>& table) {
        table.Property("StreetNo", &TTestAddress::StreetNo)
            .Property("Suburb", &TTestAddress::Suburb)
            .Property("Summary", &TTestAddress::Summary);
    }
};

class TTestChild : public TTovRecord<TTestChild> {
public:
    using TTovRecord::TTovRecord;
    std::string Name;
    Currency Amount;

    static void DeclareProperties(TTovPropertyTable<TTestChild>& table) {
        table.Property("Name", &TTestChild::Name).Property("Amount", &TTestChild::Amount);
    }
};

class TTestPerson : public TTovRecord<TTestPerson> {
public:
    explicit TTestPerson(TTovObjectItem* owner)
        : TTovRecord(owner), Address(CreateItem<TTestAddress>(this)),
          Children(MakeOwnedObjectList<TTestChild>("Name")) {}

    std::string Code;
    std::int32_t Age = 0;
    bool Active = false;
    TTestColour Colour = tcRed;
    char Initial = 'A';
    double Ratio = 0.0;
    TDate Born;
    TDateTime Added;
    Currency Balance;
    TPercentage Rate;
    std::int64_t Big = 0;
    std::string Secret = "kept";
    std::unique_ptr<TTestAddress> Address;
    TTovOwnedObjectList Children;
    TTestPerson* Friend = nullptr;
    bool Initialized = false;

    std::int32_t Months() const { return Age * 12; }
    void SetMonths(std::int32_t months) { Age = months / 12; }
    const std::string& SecretText() const { return Secret; }
    TTovObjectList& ChildList() const { return *Children; }

    void Initialize() override { Initialized = true; }

    static void DeclareProperties(TTovPropertyTable<TTestPerson>& table) {
        table.Property("Code", &TTestPerson::Code)
            .Property("Age", &TTestPerson::Age)
            .Property("Active", &TTestPerson::Active)
            .Property("Colour", &TTestPerson::Colour)
            .Property("Initial", &TTestPerson::Initial)
            .Property("Ratio", &TTestPerson::Ratio)
            .Property("Born", &TTestPerson::Born)
            .Property("Added", &TTestPerson::Added)
            .Property("Balance", &TTestPerson::Balance)
            .Property("Rate", &TTestPerson::Rate)
            .Property("Big", &TTestPerson::Big)
            .Property("Months", &TTestPerson::Months, &TTestPerson::SetMonths)
            .Property("Secret", &TTestPerson::SecretText)
            .SubRecord("Address", &TTestPerson::Address)
            .ChildList("Children", &TTestPerson::Children)
            .Reference("Friend", &TTestPerson::Friend);
    }
};

class TTestStudent : public TTovRecord<TTestStudent, TTestPerson> {
public:
    using TTovRecord::TTovRecord;
    std::string School;

    static void DeclareProperties(TTovPropertyTable<TTestStudent>& table) {
        table.Property("School", &TTestStudent::School);
    }
};

// A row for list tests: keys of every comparable kind, and a tag that is never a key.
class TTestRow : public TTovRecord<TTestRow> {
public:
    using TTovRecord::TTovRecord;
    std::int32_t Number = 0;
    std::string Text;
    TDateTime Stamp;
    TDate Day;
    std::int64_t Wide = 0;
    std::int32_t Tag = 0;

    static void DeclareProperties(TTovPropertyTable<TTestRow>& table) {
        table.Property("Number", &TTestRow::Number)
            .Property("Text", &TTestRow::Text)
            .Property("Stamp", &TTestRow::Stamp)
            .Property("Day", &TTestRow::Day)
            .Property("Wide", &TTestRow::Wide)
            .Property("Tag", &TTestRow::Tag);
    }
};

inline std::unique_ptr<TTestRow> NewRow(std::int32_t number, std::string text = {},
                                        std::int32_t tag = 0) {
    auto row = MakeItem<TTestRow>(nullptr);
    row->Number = number;
    row->Text = std::move(text);
    row->Tag = tag;
    return row;
}

// One field of every row of a list, in list order.
template <typename Field>
std::vector<Field> Column(const TTovObjectList& list, Field TTestRow::*field) {
    std::vector<Field> values;
    for (TTovObjectItem* item : list)
        values.push_back(static_cast<TTestRow*>(item)->*field);
    return values;
}

// Remembers every change a list reports, in order.
class ChangeRecorder : public ITovListListener {
public:
    struct Change {
        std::string who;
        TTovObjectList* list;
        TTovObjectItem* item;
        TTovChangeKind kind;
    };

    ChangeRecorder(std::string name, std::vector<Change>& log)
        : name_(std::move(name)), log_(log) {}
    void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) override {
        log_.push_back({name_, list, item, kind});
    }

private:
    std::string name_;
    std::vector<Change>& log_;
};

// The records of a list in list order, read without moving its cursor.
inline std::vector<TTovObjectItem*> Items(const TTovObjectList& list) {
    return {list.begin(), list.end()};
}

} // namespace duebell::testing
