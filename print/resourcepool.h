// A pool of shared drawing resources: each distinct item is kept once with a use count.
#pragma once

#include "objectlist/exceptions.h"
#include "print/binarystream.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace duebell {

// 'Traits' supplies: static bool Equal(const Item&, const Item&);
//                    static std::unique_ptr<Item> Copy(const Item&);
template <class Item, class Traits> class TPqPool {
public:
    TPqPool() = default;
    TPqPool(const TPqPool&) = delete;
    TPqPool& operator=(const TPqPool&) = delete;
    virtual ~TPqPool() = default;

    // Returns the pooled item equal to 'item' with its use count raised, or a new copy with use
    // count 1.
    Item* Add(const Item& item) {
        if (reuseEqualItems_) {
            int index = IndexOf(item);
            if (index >= 0) {
                ++useCounts_[index];
                return items_[index].get();
            }
        }
        return Append(Traits::Copy(item), 1);
    }

    // Lowers the use count of the item equal to 'item'; at zero the item is freed.
    void Release(const Item& item) {
        int index = IndexOfIdentical(item);
        if (index < 0)
            index = IndexOf(item);
        if (index < 0)
            return;
        if (useCounts_[index] > 1) {
            --useCounts_[index];
            return;
        }
        items_.erase(items_.begin() + index);
        useCounts_.erase(useCounts_.begin() + index);
    }

    int IndexOf(const Item& item) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].get() == &item || Traits::Equal(*items_[i], item))
                return static_cast<int>(i);
        return -1;
    }
    int IndexOfIdentical(const Item& item) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].get() == &item)
                return static_cast<int>(i);
        return -1;
    }

    int Count() const { return static_cast<int>(items_.size()); }
    // Nothing for an index out of range.
    Item* Items(int index) const {
        return index >= 0 && index < Count() ? items_[index].get() : nullptr;
    }
    int UseCount(int index) const { return useCounts_.at(index); }
    void Clear() {
        items_.clear();
        useCounts_.clear();
    }

    // The use counts as stored: count, then one Int32 per item.
    void SaveUseCounts(TPqStream& stream) const {
        stream.WriteInt32(Count());
        for (int count : useCounts_)
            stream.WriteInt32(count);
    }
    // Reads the stored use counts; 'kept' maps each written item to the item this pool kept
    // for it (null for one it skipped). A kept item takes the sum of the counts of the items
    // written for it, at least 1. A count that the bytes left cannot hold raises
    // Exception("Stream read error").
    void LoadUseCounts(TPqStream& stream, const std::vector<Item*>& kept) {
        const std::int32_t stored = stream.ReadInt32();
        if (stored < 0 || stored > stream.Remaining() / 4)
            throw Exception("Stream read error");
        std::vector<std::int64_t> sums(useCounts_.size(), 0);
        std::vector<bool> counted(useCounts_.size(), false);
        for (std::int32_t i = 0; i < stored; ++i) {
            const std::int32_t count = stream.ReadInt32();
            const int index = i < std::ssize(kept) && kept[i] ? IndexOfIdentical(*kept[i]) : -1;
            if (index < 0)
                continue;
            sums[index] += std::max<std::int32_t>(count, 1);
            counted[index] = true;
        }
        for (std::size_t i = 0; i < useCounts_.size(); ++i)
            if (counted[i])
                useCounts_[i] = static_cast<int>(
                    std::min<std::int64_t>(sums[i], std::numeric_limits<int>::max()));
    }

    // Takes every item of 'other' with its use count in place of this pool's own; the items
    // keep their addresses. 'other' is left empty.
    void TakeOver(TPqPool& other) {
        items_ = std::move(other.items_);
        useCounts_ = std::move(other.useCounts_);
        other.Clear();
    }

    // While a document is read, objects name their items by the index they were written
    // under; the reader maps those to the items it kept (equal ones merged).
    void SetStreamMap(std::vector<Item*> map) {
        streamMap_ = std::move(map);
        mapped_ = true;
    }
    void ClearStreamMap() {
        streamMap_.clear();
        mapped_ = false;
    }
    // The item written under 'index', or nothing.
    Item* StoredItem(int index) const {
        if (!mapped_)
            return Items(index);
        return index >= 0 && index < std::ssize(streamMap_) ? streamMap_[index] : nullptr;
    }

protected:
    Item* Append(std::unique_ptr<Item> item, int useCount) {
        items_.push_back(std::move(item));
        useCounts_.push_back(useCount);
        return items_.back().get();
    }
    // Off for a pool whose every addition is kept apart.
    bool reuseEqualItems_ = true;

private:
    std::vector<std::unique_ptr<Item>> items_;
    std::vector<int> useCounts_;
    std::vector<Item*> streamMap_;
    bool mapped_ = false;
};

} // namespace duebell
