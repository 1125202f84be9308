#include "controls/ownedlist.h"

#include "controls/rangeerror.h"

#include <algorithm>
#include <string>

namespace duebell {

TObjectList::~TObjectList() {
    while (!items_.empty())
        Delete(Count() - 1);
}

TObject* TObjectList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

int TObjectList::Add(std::unique_ptr<TObject> item) {
    items_.push_back(item.get());
    item.release();
    return Count() - 1;
}

int TObjectList::IndexOf(const TObject* item) const {
    const auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TObjectList::Delete(int index) {
    delete Items(index);
    items_.erase(items_.begin() + index);
}

int TObjectList::Remove(const TObject* item) {
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

} // namespace duebell
