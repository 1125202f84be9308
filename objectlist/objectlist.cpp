#include "objectlist/objectlist.h"

#include "objectlist/exceptions.h"
#include "objectlist/randomgenerator.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <utility>

namespace duebell {

namespace {

constexpr int MaxLevel = TTovVirtualObjectItem::MaxLevel;

} // namespace

// Nodes ------------------------------------------------------------------------------------

TTovVirtualObjectItem* TTovVirtualObjectItem::Make(TTovObjectItem* item, int level) {
    const int slots = std::max(level, 1);
    void* memory =
        ::operator new(sizeof(TTovVirtualObjectItem) + slots * sizeof(TTovVirtualObjectItem*));
    auto* node = new (memory) TTovVirtualObjectItem();
    node->item_ = item;
    node->level_ = level;
    auto* links = reinterpret_cast<TTovVirtualObjectItem**>(static_cast<char*>(memory) +
                                                            sizeof(TTovVirtualObjectItem));
    std::uninitialized_fill_n(links, slots, nullptr);
    node->forward_ = links;
    return node;
}

void TTovVirtualObjectItem::Free(TTovVirtualObjectItem* node) {
    node->~TTovVirtualObjectItem();
    ::operator delete(node);
}

// Construction and sorting -----------------------------------------------------------------

TTovObjectList::TTovObjectList(TTovObjectItemClass itemClass, TTovObjectListDescriptor* descriptor)
    : descriptor_(descriptor) {
    if (descriptor_ == nullptr) {
        ownDescriptor_ = std::make_unique<TTovObjectListDescriptor>(itemClass, true);
        descriptor_ = ownDescriptor_.get();
    }
    head_ = Node::Make(nullptr, MaxLevel);
    tail_ = Node::Make(nullptr, 1);
    for (int level = 1; level <= MaxLevel; ++level) {
        head_->forward_[level - 1] = tail_;
    }
    tail_->back_ = head_;
    descriptor_->lists_.push_back(this);
}

TTovObjectList::~TTovObjectList() {
    UnlinkAll();
    NotifyListeners(ckListCleared, nullptr);
    NotifyListeners(ckListDestroying, nullptr);
    listeners_.clear();
    auto& lists = descriptor_->lists_;
    lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
    Node::Free(head_);
    Node::Free(tail_);
}

void TTovObjectList::SetSortFields(std::string_view text) {
    if (!descriptor_->Internal()) {
        throw ETovObjectListError(
            "ObjectList Sort properties can only be set with an internal descriptor");
    }
    descriptor_->SetSortFields(text);
}

void TTovObjectList::SetSorted(bool sorted) {
    if (!descriptor_->Internal()) {
        throw ETovObjectListError(
            "ObjectList Sort properties can only be set with an internal descriptor");
    }
    descriptor_->SetSorted(sorted);
}

namespace {

// Merge sort of nodes[from, from + count): a left run of count - count / 2 nodes, a right
// run of count / 2; at equal keys the left run goes first.
void MergeSort(std::vector<TTovVirtualObjectItem*>& nodes,
               std::vector<TTovVirtualObjectItem*>& buffer, std::size_t from, std::size_t count,
               const TTovObjectListDescriptor& descriptor) {
    if (count < 2) {
        return;
    }
    const std::size_t leftCount = count - count / 2;
    MergeSort(nodes, buffer, from, leftCount, descriptor);
    MergeSort(nodes, buffer, from + leftCount, count / 2, descriptor);
    std::size_t left = from;
    std::size_t right = from + leftCount;
    const std::size_t leftEnd = right;
    const std::size_t rightEnd = from + count;
    buffer.clear();
    while (left < leftEnd && right < rightEnd) {
        if (descriptor.CompareItems(*nodes[left]->Item(), *nodes[right]->Item()) <= 0) {
            buffer.push_back(nodes[left++]);
        } else {
            buffer.push_back(nodes[right++]);
        }
    }
    buffer.insert(buffer.end(), nodes.begin() + left, nodes.begin() + leftEnd);
    buffer.insert(buffer.end(), nodes.begin() + right, nodes.begin() + rightEnd);
    std::copy(buffer.begin(), buffer.end(), nodes.begin() + from);
}

} // namespace

void TTovObjectList::Sort() {
    // Sorted into an array first, so a comparison that throws leaves the list as it was.
    std::vector<Node*> nodes;
    nodes.reserve(count_);
    for (Node* node = head_->forward_[0]; node != tail_; node = node->forward_[0]) {
        nodes.push_back(node);
    }
    std::vector<Node*> buffer;
    buffer.reserve(nodes.size());
    MergeSort(nodes, buffer, 0, nodes.size(), *descriptor_);

    // Relink every level in the new order; each node keeps its level.
    Node* last[MaxLevel];
    std::fill(std::begin(last), std::end(last), head_);
    for (Node* node : nodes) {
        node->back_ = last[0];
        for (int level = 1; level <= std::max(node->level_, 1); ++level) {
            last[level - 1]->forward_[level - 1] = node;
            last[level - 1] = node;
        }
    }
    for (int level = 1; level <= MaxLevel; ++level) {
        last[level - 1]->forward_[level - 1] = tail_;
    }
    tail_->back_ = last[0];
    NotifyListeners(ckItemAdded, nullptr); // the order changed: a general refresh
}

// Changes ----------------------------------------------------------------------------------

void TTovObjectList::CheckItemClass(const TTovObjectItem& item) const {
    if (!item.ItemManager().InheritsFrom(ItemClass())) {
        throw InternalError("A record of class " + item.ClassName() +
                            " cannot be used in a list of class " + ItemClass().ClassName() + ".");
    }
}

TTovObjectList::Node* TTovObjectList::SearchPath(const TTovSortKey& key, Node** update) const {
    Node* x = head_;
    const Node* notBefore = nullptr; // compared already: not before the key
    for (int level = topLevel_; level >= 1; --level) {
        for (;;) {
            Node* next = x->forward_[level - 1];
            if (next == tail_ || next == notBefore) {
                break;
            }
            if (key.CompareTo(*next->item_) > 0) {
                x = next;
            } else {
                notBefore = next;
                break;
            }
        }
        if (update != nullptr) {
            update[level - 1] = x;
        }
    }
    return x->forward_[0];
}

int TTovObjectList::DrawLevel() {
    int level = 1;
    // One chance in four of going a level higher.
    while (level < MaxLevel && (descriptor_->RandomGenerator().NextLong() & 0xFF) < 64) {
        ++level;
    }
    return level;
}

void TTovObjectList::Link(TTovObjectItem* item) {
    if (item == nullptr) {
        throw InternalError("A list cannot hold a missing record.");
    }
    CheckItemClass(*item);
    Node* node = nullptr;
    if (Sorted()) {
        Node* update[MaxLevel];
        const TTovSortKey key(*descriptor_, *item, -1);
        Node* next = SearchPath(key, update);
        if (next != tail_ && key.CompareTo(*next->item_) == 0) {
            throw Exception("Duplicate nodes in list containing classes of \"" +
                            ItemClass().ClassName() + "\"");
        }
        int level = DrawLevel();
        if (level > topLevel_) {
            level = topLevel_ + 1;
            update[topLevel_] = head_;
            ++topLevel_;
        }
        node = Node::Make(item, level);
        for (int i = 0; i < level; ++i) {
            node->forward_[i] = update[i]->forward_[i];
            update[i]->forward_[i] = node;
        }
        node->back_ = update[0];
    } else {
        node = Node::Make(item, 0);
        node->back_ = tail_->back_;
        node->forward_[0] = tail_;
        node->back_->forward_[0] = node;
    }
    node->forward_[0]->back_ = node;
    cursor_ = node;
    ++count_;
}

void TTovObjectList::Delete() {
    if (!IsRecordNode(cursor_)) {
        throw ETovObjectListError("There is no current record to delete");
    }
    Node* node = cursor_;
    // On each upper level the predecessor is the nearest earlier node that reaches that level;
    // found along the back links, so a record whose key was edited still unlinks cleanly.
    Node* predecessor = node->back_;
    for (int level = 2; level <= node->level_; ++level) {
        while (predecessor != head_ && predecessor->level_ < level) {
            predecessor = predecessor->back_;
        }
        predecessor->forward_[level - 1] = node->forward_[level - 1];
    }
    node->back_->forward_[0] = node->forward_[0];
    node->forward_[0]->back_ = node->back_;
    cursor_ = node->forward_[0];
    --count_;
    TTovObjectItem* item = node->item_;
    Node::Free(node);
    NotifyListeners(ckItemDeleted, item);
}

void TTovObjectList::UnlinkAll() {
    Node* node = head_->forward_[0];
    while (node != tail_) {
        Node* next = node->forward_[0];
        Node::Free(node);
        node = next;
    }
    for (int level = 1; level <= MaxLevel; ++level) {
        head_->forward_[level - 1] = tail_;
    }
    tail_->back_ = head_;
    topLevel_ = 1;
    cursor_ = nullptr;
    count_ = 0;
}

void TTovObjectList::Clear() {
    UnlinkAll();
    NotifyListeners(ckListCleared, nullptr);
}

void TTovObjectList::FreeAll() {
    std::vector<std::unique_ptr<TTovObjectItem>> records;
    records.reserve(count_);
    for (TTovObjectItem* record : *this) {
        records.emplace_back(record);
        // A freed record must not be called as a listener afterwards.
        RemoveListener(record);
    }
    UnlinkAll();
    // The records still live while the listeners hear of it: a window may read what it showed.
    NotifyListeners(ckListCleared, nullptr);
}

void TTovObjectList::AssignList(const TTovObjectList& source, TTovObjectItem* owner,
                                bool clearFirst, bool shareSubObjects, bool skipLists,
                                bool skipSubObjects) {
    if (shareSubObjects) {
        throw InternalError("Sub-records cannot be shared between records.");
    }
    if (&source == this) {
        return; // the list already holds exactly these records
    }
    if (clearFirst) {
        FreeAll();
    }
    for (TTovObjectItem* record : source) {
        std::unique_ptr<TTovObjectItem> copy(ItemClass().Create(owner));
        copy->AssignProperties(*record, skipSubObjects, true, false, skipLists);
        // Merging looks for an equal key; an unsorted list has no keys to match, so every
        // record is added rather than all of them landing on the first.
        if (!clearFirst && Sorted()) {
            if (TTovObjectItem* existing = FindItem(*copy)) {
                existing->AssignProperties(*record, skipSubObjects, false, false, skipLists);
                continue;
            }
        }
        Add(std::move(copy));
    }
}

// Cursor and lookup ------------------------------------------------------------------------

bool TTovObjectList::IsRecordNode(const Node* node) const {
    return node != nullptr && node != head_ && node != tail_;
}

TTovObjectItem* TTovObjectList::First() {
    cursor_ = count_ > 0 ? head_->forward_[0] : nullptr;
    return Current();
}

TTovObjectItem* TTovObjectList::Last() {
    cursor_ = count_ > 0 ? tail_->back_ : nullptr;
    return Current();
}

TTovObjectItem* TTovObjectList::Next() {
    if (cursor_ == nullptr || cursor_ == tail_) {
        cursor_ = nullptr;
        return nullptr;
    }
    cursor_ = cursor_->forward_[0];
    if (cursor_ == tail_) {
        cursor_ = nullptr;
    }
    return Current();
}

TTovObjectItem* TTovObjectList::Prior() {
    if (cursor_ == nullptr || cursor_ == head_) {
        cursor_ = nullptr;
        return nullptr;
    }
    cursor_ = cursor_->back_;
    if (cursor_ == head_) {
        cursor_ = nullptr;
    }
    return Current();
}

TTovObjectItem* TTovObjectList::Current() const {
    return IsRecordNode(cursor_) ? cursor_->item_ : nullptr;
}

bool TTovObjectList::Bof() const {
    return cursor_ == nullptr || cursor_ == head_;
}

bool TTovObjectList::Eof() const {
    return cursor_ == nullptr || cursor_ == tail_;
}

TTovVirtualObjectItem* TTovObjectList::PeekFirstNode() const {
    return count_ > 0 ? head_->forward_[0] : nullptr;
}

TTovVirtualObjectItem* TTovObjectList::PeekLastNode() const {
    return count_ > 0 ? tail_->back_ : nullptr;
}

TTovObjectItem* TTovObjectList::PeekFirst() const {
    Node* node = PeekFirstNode();
    return node != nullptr ? node->item_ : nullptr;
}

TTovObjectItem* TTovObjectList::PeekLast() const {
    Node* node = PeekLastNode();
    return node != nullptr ? node->item_ : nullptr;
}

TTovObjectItem* TTovObjectList::PeekNext() const {
    if (cursor_ == nullptr || cursor_ == tail_) {
        return nullptr;
    }
    Node* next = cursor_->forward_[0];
    return IsRecordNode(next) ? next->item_ : nullptr;
}

TTovObjectItem* TTovObjectList::PeekPrior() const {
    if (cursor_ == nullptr || cursor_ == head_) {
        return nullptr;
    }
    Node* prior = cursor_->back_;
    return IsRecordNode(prior) ? prior->item_ : nullptr;
}

TTovObjectItem* TTovObjectList::Find(const TTovObjectItem& key, int n) {
    CheckItemClass(key);
    const TTovSortKey sortKey(*descriptor_, key, n);
    Node* candidate = SearchPath(sortKey, nullptr);
    if (candidate == tail_ || sortKey.CompareTo(*candidate->item_) != 0) {
        return nullptr;
    }
    cursor_ = candidate;
    return candidate->item_;
}

// Listeners --------------------------------------------------------------------------------

void TTovObjectList::AddListener(ITovListListener* listener) {
    if (listener != nullptr &&
        std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void TTovObjectList::RemoveListener(ITovListListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

namespace {

TTovListenerFailureReport listenerFailureReport = nullptr;

void ReportListenerFailure(const std::string& message) noexcept {
    try {
        if (listenerFailureReport != nullptr) {
            listenerFailureReport(message);
            return;
        }
    } catch (...) {
        // The report itself failed: standard error is the last resort.
    }
    std::fprintf(stderr, "A window could not follow a change of its list: %s\n", message.c_str());
}

} // namespace

TTovListenerFailureReport SetListenerFailureReport(TTovListenerFailureReport report) {
    return std::exchange(listenerFailureReport, report);
}

void TTovObjectList::EndUpdate() noexcept {
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !changedInUpdate_) {
        return;
    }
    changedInUpdate_ = false;
    NotifyListeners(ckItemAdded, nullptr);
}

void TTovObjectList::NotifyListeners(TTovChangeKind kind, TTovObjectItem* item) noexcept {
    if (updateDepth_ > 0) {
        changedInUpdate_ = true;
        if (kind == ckItemAdded) {
            return; // told once, when the batch ends
        }
    }
    // A listener may unregister itself (or another) while being told; those no longer
    // registered are skipped.
    std::vector<ITovListListener*> snapshot;
    try {
        snapshot = listeners_;
    } catch (const std::bad_alloc&) {
        ReportListenerFailure("Out of memory");
        return;
    }
    for (ITovListListener* listener : snapshot) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
            continue;
        }
        try {
            listener->ListChanged(this, item, kind);
        } catch (const EAbort&) {
            // The silent abort is never shown.
        } catch (const std::exception& failure) {
            ReportListenerFailure(failure.what());
        } catch (...) {
            ReportListenerFailure("Unknown failure");
        }
    }
}

// Owned lists ------------------------------------------------------------------------------

void TTovFreeAllDeleter::operator()(TTovObjectList* list) const {
    list->FreeAll();
    delete list;
}

namespace detail {

TTovObjectList* CheckedObjectList(TTovObject* value, const std::string& propertyName) {
    if (value == nullptr) {
        return nullptr;
    }
    auto* list = dynamic_cast<TTovObjectList*>(value);
    if (list == nullptr) {
        WrongObjectClass(propertyName);
    }
    return list;
}

TTovObject* ListAsObject(TTovObjectList* list) {
    return list;
}

} // namespace detail

} // namespace duebell
