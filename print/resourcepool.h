// A pool of shared drawing resources: each distinct item is kept once with a use count.
#pragma once

#include "print/binarystream.h"

#include <cstdint>
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
    // Replaces the use counts of the items present by the stored ones.
    void LoadUseCounts(TPqStream& stream) {
        std::int32_t stored = stream.ReadInt32();
        for (std::int32_t i = 0; i < stored; ++i) {
            std::int32_t count = stream.ReadInt32();
            if (i < Count())
                useCounts_[i] = count;
        }
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
};

} // namespace duebell
