// Change notification of record lists. Records are listeners by default (their ListChanged
// does nothing); anything else, a list frame or a grid for one, may implement the interface.
//
// The contract between a list and its listeners:
// - Who owns a record: whoever holds the list (a record's TTovOwnedObjectList, a program-wide
//   list's holder), from the moment Add takes it over until Delete or Clear unlinks it (the
//   caller then owns it again) or FreeAll frees it. A listener owns nothing it is shown.
// - When a listener is told: after every change, once the list is whole again, in
//   registration order. ckItemAdded comes after the record is linked and owned by the list;
//   ckItemDeleted after the record is unlinked and before anyone frees it; ckListCleared while
//   the records unlinked by Clear or FreeAll still live; ckListDestroying from the destructor,
//   after which the list forgets its listeners.
// - What a listener may do in the callback: read the list and its records, move the list's
//   cursor, and register or unregister listeners (itself included; one unregistered during a
//   notification is not told of it any more, one registered is told from the next change
//   on). It must not change the list's records or free anything the list holds.
// - A listener does not throw. A failure that escapes one anyway is caught by the list and
//   reported (below), never propagated halfway through a change; the other listeners are
//   still told. The silent abort (EAbort) is dropped unreported.
#pragma once

#include <string>

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

// Where lists report a listener that failed, with the failure's message. The program's error
// reporting installs itself here; with nothing installed the message goes to standard error.
// Gives the report installed before.
using TTovListenerFailureReport = void (*)(const std::string& message);
TTovListenerFailureReport SetListenerFailureReport(TTovListenerFailureReport report);

} // namespace duebell
