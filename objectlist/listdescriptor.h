// The sort description of record lists: the record class, the sort properties and the
// sorted flag. Several lists of one class may share one descriptor (the list that made its own
// descriptor owns it; a shared one must outlive its lists).
#pragma once

#include "objectlist/itemmanager.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

class TTovObjectItem;
class TTovObjectList;
class TTovRandomGenerator;

// The whole second (counted from 30/12/1899) by which TDate and TDateTime keys compare: the
// value rounded to 7 decimals as stored values are, a moment within 4.5 ms below a second
// counting as that second (the rounding can move a whole second that far down).
double DateKeySeconds(double dateTime);

class TTovObjectListDescriptor {
public:
    explicit TTovObjectListDescriptor(TTovObjectItemClass itemClass, bool internal = false);
    ~TTovObjectListDescriptor();
    TTovObjectListDescriptor(const TTovObjectListDescriptor&) = delete;
    TTovObjectListDescriptor& operator=(const TTovObjectListDescriptor&) = delete;

    TTovObjectItemManager& ItemClass() const { return *itemClass_; }

    // Comma text of property names (commas or blanks separate, double quotes group), kept
    // upper-cased. An unknown name raises ETovObjectListError "Invalid property name NAME" and
    // leaves the fields as they were. When sorted, every list using the descriptor re-sorts.
    void SetSortFields(std::string_view text);
    std::string SortFields() const; // the names as one comma text
    int SortCount() const { return static_cast<int>(sortProps_.size()); }
    const std::vector<const TTovPropInfo*>& SortProps() const { return sortProps_; }
    int PropCount() const { return itemClass_->PropCount(); }

    bool Sorted() const { return sorted_; }
    // A change with at least one sort field re-sorts every list using the descriptor.
    void SetSorted(bool sorted);
    bool Internal() const { return internal_; }

    // Draws skip-list levels; seeded from the clock, re-seedable for repeatable tests. Made on
    // first use: most lists of a loaded book never draw (they stay empty or unsorted), and
    // seeding one costs more than loading a record.
    TTovRandomGenerator& RandomGenerator();

    // Negative, zero or positive: A against B on the first N sort fields (-1: all). Integers
    // compare three-way; strings by character code, case-sensitively; dates to the second;
    // other floats equal within 1e-16; object properties are skipped.
    int CompareItems(const TTovObjectItem& a, const TTovObjectItem& b, int n = -1) const;

private:
    friend class TTovObjectList;

    std::vector<std::string> fieldNames_;
    std::vector<const TTovPropInfo*> sortProps_;
    TTovObjectItemManager* itemClass_;
    bool sorted_ = false;
    bool internal_;
    std::unique_ptr<TTovRandomGenerator> random_;
    std::vector<TTovObjectList*> lists_;
};

// The sort-field values of one record, read once so a search compares them against many
// records without reading the key again. Valid while the key record is unchanged.
class TTovSortKey {
public:
    TTovSortKey(const TTovObjectListDescriptor& descriptor, const TTovObjectItem& key, int n);
    TTovSortKey(const TTovSortKey&) = delete;
    TTovSortKey& operator=(const TTovSortKey&) = delete;

    // CompareItems (key, other, n) of the descriptor.
    int CompareTo(const TTovObjectItem& other) const;

private:
    struct Field {
        const TTovPropInfo* prop = nullptr;
        std::int64_t integer = 0;
        double real = 0.0;
        double comparableDate = 0.0;
        std::string_view text;
        std::string scratch; // a computed text key
    };
    std::vector<Field> fields_;
};

} // namespace duebell
