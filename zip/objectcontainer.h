// Containers of object pointers: a plain list that may own its objects, and a sorted list
// whose order comes from a compare operation and that has a policy for equal objects.
#pragma once

#include "zip/zipexceptions.h"

#include <algorithm>
#include <string>
#include <vector>

namespace duebell::zip {

template <class T> class TObjectList {
public:
    explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
    virtual ~TObjectList() {
        if (ownsObjects_) {
            for (T* item : items_) {
                delete item;
            }
        }
    }
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool owns) { ownsObjects_ = owns; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Growing fills with nullptr; shrinking drops the last entries (an owning list frees them).
    // Raises EListError "List count out of bounds (<count>)" outside 0 .. MaxListSize - 1.
    void SetCount(int count) {
        if (count < 0 || count >= MaxListSize) {
            throw EListError("List count out of bounds (" + std::to_string(count) + ")");
        }
        if (count > capacity_) {
            SetCapacity(count);
        }
        while (Count() > count) {
            T* dropped = items_.back();
            items_.pop_back();
            if (ownsObjects_) {
                delete dropped;
            }
        }
        items_.resize(static_cast<std::size_t>(count), nullptr);
    }
    // The room for entries before the list must grow. Raises EListError "List capacity out of
    // bounds (<capacity>)" below the count or from MaxListSize on.
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity) {
        if (capacity < Count() || capacity >= MaxListSize) {
            throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
        }
        capacity_ = capacity;
        items_.reserve(static_cast<std::size_t>(capacity));
    }

    T* Items(int index) const {
        CheckIndex(index, Count() - 1);
        return items_[static_cast<std::size_t>(index)];
    }
    virtual void Put(int index, T* item) {
        CheckIndex(index, Count() - 1);
        items_[static_cast<std::size_t>(index)] = item;
    }
    // Appends; returns the index, or -1 when the object was not taken (sorted lists).
    virtual int Add(T* item) {
        InsertAt(Count(), item);
        return Count() - 1;
    }
    void Insert(int index, T* item) {
        CheckIndex(index, Count());
        InsertAt(index, item);
    }
    // Removes without freeing.
    void Delete(int index) {
        CheckIndex(index, Count() - 1);
        items_.erase(items_.begin() + index);
    }
    virtual int IndexOf(const T* item) const {
        const auto found = std::find(items_.begin(), items_.end(), item);
        return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
    }
    T* First() const { return items_.empty() ? nullptr : items_.front(); }
    T* Last() const { return items_.empty() ? nullptr : items_.back(); }
    // The object after (before) the given one: nullptr past the end; nullptr gives the first
    // (last); an object not in the list raises.
    T* Next(const T* item) const {
        if (item == nullptr) {
            return First();
        }
        const int index = IndexOrRaise(item);
        return index + 1 < Count() ? items_[static_cast<std::size_t>(index + 1)] : nullptr;
    }
    T* Prior(const T* item) const {
        if (item == nullptr) {
            return Last();
        }
        const int index = IndexOrRaise(item);
        return index > 0 ? items_[static_cast<std::size_t>(index - 1)] : nullptr;
    }
    // Empties the list without freeing the objects; the capacity returns to 0.
    void Clear() {
        items_.clear();
        items_.shrink_to_fit();
        capacity_ = 0;
    }
    // Frees every object, whatever the owns flag says, and empties the list.
    void FreeAll() {
        for (T* item : items_) {
            delete item;
        }
        Clear();
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    static constexpr int MaxListSize = 0x1FFFFFFF;

protected:
    // Inserts at a valid index, growing a full list first: by 4 while the capacity is below
    // 5, by 8 while it is below 9, else by 16.
    void InsertAt(int index, T* item) {
        if (Count() == capacity_) {
            SetCapacity(capacity_ + (capacity_ < 5 ? 4 : capacity_ < 9 ? 8 : 16));
        }
        items_.insert(items_.begin() + index, item);
    }
    std::vector<T*> items_;

private:
    static void CheckIndex(int index, int highest) {
        if (index < 0 || index > highest) {
            throw EListError("List index out of bounds (" + std::to_string(index) + ")");
        }
    }
    int IndexOrRaise(const T* item) const {
        const int index = IndexOf(item);
        if (index < 0) {
            throw EListError(std::string("tObject ") + T::ClassName + " not in item list");
        }
        return index;
    }

    bool ownsObjects_;
    int capacity_ = 0;
};

// What a sorted list does with an object equal to one it holds.
enum class TDuplicates : unsigned char { Ignore = 0, Accept = 1, Error = 2 };

template <class T> class TSortedObjectList : public TObjectList<T> {
public:
    explicit TSortedObjectList(TDuplicates duplicates, bool ownsObjects = true)
        : TObjectList<T>(ownsObjects), duplicates_(duplicates) {}

    TDuplicates Duplicates() const { return duplicates_; }

    void Put(int, T*) override { throw EListError("Cannot <Put> an Object in a sorted list!"); }

    // Inserts at its place, after every object that compares equal. An equal object is
    // dropped under Ignore (result -1; an owning list frees it) and raises under Error.
    int Add(T* item) override {
        int index = 0;
        if (Search(item, index)) {
            if (duplicates_ == TDuplicates::Ignore) {
                if (this->OwnsObjects()) {
                    delete item;
                }
                return -1;
            }
            if (duplicates_ == TDuplicates::Error) {
                if (this->OwnsObjects()) {
                    delete item;
                }
                throw EListError("Duplicate Object index");
            }
        }
        this->InsertAt(index, item);
        return index;
    }

    // True when an object equal to the key is held; index is then the place behind the last
    // equal object, else the place where the key belongs.
    bool Search(const T* key, int& index) const {
        int low = 0;
        int high = this->Count();
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (Compare(this->items_[static_cast<std::size_t>(mid)], key) <= 0) {
                low = mid + 1;
            } else {
                high = mid;
            }
        }
        index = low;
        return low > 0 && Compare(this->items_[static_cast<std::size_t>(low - 1)], key) == 0;
    }

protected:
    // Negative when item1 sorts first.
    virtual int Compare(const T* item1, const T* item2) const = 0;

private:
    TDuplicates duplicates_;
};

} // namespace duebell::zip
