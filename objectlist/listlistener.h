// Change notification of record lists. A list calls ListChanged of each registered listener,
// in registration order, after every change. Records are listeners by default (their
// ListChanged does nothing); anything else, a list frame for one, may implement the interface.
#pragma once

namespace duebell {

class TTovObjectList;
class TTovObjectItem;

enum TTovChangeKind : int {
    ckItemAdded = 0,   // a record was inserted; with no record: a general refresh signal
    ckItemDeleted = 1, // the current record was unlinked
    ckListCleared = 2, // every record was unlinked; no record
    // The list is being destroyed (no record): drop every pointer into it and its records.
    // The list forgets its listeners afterwards; no need to unregister.
    ckListDestroying = 3,
};

class ITovListListener {
public:
    virtual void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) = 0;

protected:
    ~ITovListListener() = default;
};

} // namespace duebell
