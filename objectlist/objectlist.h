// TTovObjectList, the one collection of records: a skip list of nodes over records of one
// class, optionally kept in the order of its sort properties, with a cursor (the current
// record), key lookup, stable re-sorting and change listeners.
//
// Ownership: Add takes a record over for the list's holder. A list never frees its records by
// itself: Delete, Clear and the destructor only unlink them; FreeAll frees them. A record that
// holds a child list uses TTovOwnedObjectList, which frees the records and then the list.
// Listeners, and what they may do when told, are described in listlistener.h.
//
// Filing (LoadFromFiler, SaveToFiler, SaveToFilerWithSubLists) lives with the filers, as free
// functions over this public interface.
#pragma once

#include "objectlist/listdescriptor.h"
#include "objectlist/listlistener.h"
#include "objectlist/objectitem.h"
#include "objectlist/ownedobjectlist.h"
#include "objectlist/tovobject.h"
#include "objectlist/variant.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

// A skip-list node. Level 1..16 in a sorted list, 0 in an unsorted one (bottom chain only).
// Forward(1) is the bottom chain; Forward(L) exists for L up to max(level, 1). The list's head
// and tail nodes hold no record, so a walk along Forward(1) ends at a node whose Item() is
// nothing.
class TTovVirtualObjectItem {
public:
    static constexpr int MaxLevel = 16;

    TTovObjectItem* Item() const { return item_; }
    int Level() const { return level_; }
    TTovVirtualObjectItem* Back() const { return back_; }
    TTovVirtualObjectItem* Forward(int level) const { return forward_[level - 1]; }

private:
    friend class TTovObjectList;
    static TTovVirtualObjectItem* Make(TTovObjectItem* item, int level);
    static void Free(TTovVirtualObjectItem* node);

    TTovObjectItem* item_ = nullptr;
    TTovVirtualObjectItem* back_ = nullptr;
    TTovVirtualObjectItem** forward_ = nullptr; // max(level, 1) links, stored after the node
    int level_ = 0;
};

class TTovObjectList : public TTovObject {
public:
    // With no descriptor the list makes and owns its own; with one it registers with it.
    explicit TTovObjectList(TTovObjectItemClass itemClass,
                            TTovObjectListDescriptor* descriptor = nullptr);
    // Unlinks the records (they stay alive), tells the listeners ckListCleared and then
    // ckListDestroying, forgets them and releases the nodes.
    ~TTovObjectList() override;

    TTovObjectItemManager& ItemClass() const { return descriptor_->ItemClass(); }
    TTovObjectListDescriptor& Descriptor() const { return *descriptor_; }
    int Count() const { return count_; }

    // Sorting, forwarded to the descriptor (new sort fields re-sort a sorted list); on a shared
    // descriptor the setters raise ETovObjectListError "ObjectList Sort properties can only be
    // set with an internal descriptor".
    void SetSortFields(std::string_view text);
    std::string SortFields() const { return descriptor_->SortFields(); }
    int SortCount() const { return descriptor_->SortCount(); }
    void SetSorted(bool sorted);
    bool Sorted() const { return descriptor_->Sorted(); }
    // Stable merge sort on the existing nodes; equal keys keep their order. Listeners then get
    // ckItemAdded with no record (a general refresh).
    virtual void Sort();

    // Inserts the record and takes it over: from then on the list's holder owns it. Sorted: at
    // its key's place; an equal key raises "Duplicate nodes in list containing classes of
    // "<class>"". Unsorted: at the end. A missing record or one of another class is refused
    // too; a refused record stays with the caller and the list is unchanged. The cursor moves
    // to the new node; then listeners get ckItemAdded. Gives the record.
    template <std::derived_from<TTovObjectItem> T> T* Add(std::unique_ptr<T>&& record) {
        Link(record.get());
        T* added = record.release();
        NotifyListeners(ckItemAdded, added);
        return added;
    }
    // Unlinks the current record (not freed); the cursor moves to the following node (end of
    // list after the last); listeners get ckItemDeleted.
    void Delete();
    // Unlinks every record; no cursor; listeners get ckListCleared.
    void Clear();
    // Unlinks every record and tells the listeners (ckListCleared) while the records still
    // live, then frees them.
    void FreeAll();
    // Copies another list's records as new records of this list's class owned by Owner.
    // ClearFirst frees this list's records first; without it, a record with an equal key takes
    // the source record's values instead of a new one being added (a merge).
    void AssignList(const TTovObjectList& source, TTovObjectItem* owner, bool clearFirst = true,
                    bool shareSubObjects = false, bool skipLists = false,
                    bool skipSubObjects = false);

    // Cursor. First/Last: nothing (and no cursor) when empty. Next/Prior past either end clear
    // the cursor and give nothing. The walk: First, then Next until Eof.
    TTovObjectItem* First();
    TTovObjectItem* Last();
    TTovObjectItem* Next();
    TTovObjectItem* Prior();
    TTovObjectItem* Current() const;
    bool Bof() const; // no cursor, or before the first record
    bool Eof() const; // no cursor, or after the last record

    // Neighbours without moving the cursor; nothing at an end.
    TTovObjectItem* PeekFirst() const;
    TTovObjectItem* PeekLast() const;
    TTovObjectItem* PeekNext() const;
    TTovObjectItem* PeekPrior() const;
    TTovVirtualObjectItem* PeekFirstNode() const;
    TTovVirtualObjectItem* PeekLastNode() const;

    // The record equal to Key on the first N sort fields (-1: all); the cursor moves to it.
    // Nothing, cursor unchanged, when absent. Assumes the list is in key order.
    TTovObjectItem* Find(const TTovObjectItem& key, int n = -1);
    TTovObjectItem* FindItem(const TTovObjectItem& key) { return Find(key, -1); }

    // Lookup by key values: one value or a Variant::Array with one value per sort field, each
    // converted by its property's kind. Sorted lists only. Errors (ETovObjectListError):
    // "Locate values cannot be null or empty", "Locate function must be called on a sorted
    // object list", "Value count not equal to sort field count - <SortFields>".
    TTovObjectItem* Locate(const Variant& values);
    TTovObjectItem* LocateNoMove(const Variant& values); // cursor left where it was
    // Locate; when absent a new record of the list's class owned by Owner takes the key
    // values (floats rounded to 7 decimals) and is added.
    TTovObjectItem* LocateOrAdd(const Variant& values, TTovObjectItem* owner);
    // Locate on as many leading sort fields as values are given.
    TTovObjectItem* PartialLocate(const Variant& values);

    // Listeners, called in registration order; a second registration is ignored. A failure
    // of a listener is reported, never raised (listlistener.h).
    void AddListener(ITovListListener* listener);
    void RemoveListener(ITovListListener* listener);
    void NotifyListeners(TTovChangeKind kind, TTovObjectItem* item) noexcept;

    // A batch of changes (nestable; TTovListUpdate brackets one). Inside it the listeners are
    // not told of each record added; once the outermost batch ends they get one general
    // refresh (ckItemAdded, no record) if anything changed. Deletions and clears are still
    // told at once, since a listener must drop what it holds of the records then. A list of
    // many records rebuilt in one batch is shown again once, not once per record.
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate() noexcept;
    bool Updating() const { return updateDepth_ > 0; }

    // Walks the records in list order without touching the cursor.
    class const_iterator {
    public:
        using value_type = TTovObjectItem*;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        explicit const_iterator(const TTovVirtualObjectItem* node) : node_(node) {}
        TTovObjectItem* operator*() const { return node_->Item(); }
        const_iterator& operator++() {
            node_ = node_->Forward(1);
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        const TTovVirtualObjectItem* node_ = nullptr;
    };
    const_iterator begin() const { return const_iterator(head_->Forward(1)); }
    const_iterator end() const { return const_iterator(tail_); }

private:
    friend class TTovObjectListDescriptor;
    using Node = TTovVirtualObjectItem;

    bool IsRecordNode(const Node* node) const;
    // The last node before Key on each level, from the top level down (the update path).
    // Returns the bottom-level successor: the first node not before Key (or the tail).
    Node* SearchPath(const TTovSortKey& key, Node** update) const;
    int DrawLevel();
    void CheckItemClass(const TTovObjectItem& item) const;
    // Inserts the record's node (Add without the hand-over and the listeners).
    void Link(TTovObjectItem* item);
    void UnlinkAll(); // Clear without telling the listeners
    void CheckLocateValues(const Variant& values, bool countCheck) const;
    // The record that holds key values for lookups, made on first use.
    TTovObjectItem& SearchTemplate();
    // Writes the values into the template's leading sort fields; gives the number written.
    int FillTemplate(const Variant& values);

    TTovObjectListDescriptor* descriptor_;
    std::unique_ptr<TTovObjectListDescriptor> ownDescriptor_;
    Node* head_;
    Node* tail_;
    int topLevel_ = 1;
    Node* cursor_ = nullptr;
    int count_ = 0;
    std::unique_ptr<TTovObjectItem> template_;
    std::vector<ITovListListener*> listeners_;
    int updateDepth_ = 0;
    bool changedInUpdate_ = false;
};

// Brackets a batch of changes of a list for the length of a scope.
class TTovListUpdate {
public:
    explicit TTovListUpdate(TTovObjectList& list) : list_(list) { list_.BeginUpdate(); }
    ~TTovListUpdate() { list_.EndUpdate(); }
    TTovListUpdate(const TTovListUpdate&) = delete;
    TTovListUpdate& operator=(const TTovListUpdate&) = delete;

private:
    TTovObjectList& list_;
};

// A new owned child list of records of class T; with sort fields it is sorted.
template <class T> TTovOwnedObjectList MakeOwnedObjectList(std::string_view sortFields = {}) {
    TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<T>()));
    if (!sortFields.empty()) {
        list->SetSortFields(sortFields);
        list->SetSorted(true);
    }
    return list;
}

} // namespace duebell
