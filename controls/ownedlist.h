// A list that owns the objects it holds, and the empty placeholder object grids put where a
// cell needs some object.
#pragma once

#include <memory>
#include <vector>

namespace duebell {

// Anything an owning list can hold and free.
class TObject {
public:
    virtual ~TObject() = default;
};

// An empty object.
class TDummyObject : public TObject {};

class TObjectList {
public:
    TObjectList() = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    // Frees every item, the last first.
    ~TObjectList();

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises ERangeError "List index out of bounds (<index>)" for a bad index.
    TObject* Items(int index) const;
    // Takes the item; gives its index.
    int Add(std::unique_ptr<TObject> item);
    int IndexOf(const TObject* item) const;
    // Frees the item at index, then removes its entry.
    void Delete(int index);
    // Looks the item up and deletes it; gives its former index, or -1 (and frees nothing) when
    // the list does not hold it.
    int Remove(const TObject* item);

private:
    std::vector<TObject*> items_;
};

} // namespace duebell
