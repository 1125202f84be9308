// Walking up a record's owners: a payment finds its loan, a loan its loan book.
#pragma once

#include "objectlist/objectitem.h"

namespace duebell {

// The nearest owner of class T (the record itself not included); nothing when there is none.
template <class T> T* FindOwner(const TTovObjectItem& item) {
    for (TTovObjectItem* owner = item.Owner(); owner != nullptr; owner = owner->Owner()) {
        if (auto* found = dynamic_cast<T*>(owner)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace duebell
