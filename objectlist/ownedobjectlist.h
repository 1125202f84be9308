// How a record holds a child list it created: the holder owns the list and, through it, the
// list's records. Destroying the holder frees every record of the list, then the list
// (a list by itself never frees its records; see objectlist.h).
#pragma once

#include <memory>

namespace duebell {

class TTovObjectList;

struct TTovFreeAllDeleter {
    void operator()(TTovObjectList* list) const; // FreeAll, then delete
};

using TTovOwnedObjectList = std::unique_ptr<TTovObjectList, TTovFreeAllDeleter>;

} // namespace duebell
