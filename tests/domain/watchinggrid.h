// A listener that watches a record list the way a grid window does: it holds a pointer to every
// record it shows, reads them on every change (as a repaint would), keeps the selected row by
// its key across a refill, and unregisters when it closes. A record freed before its list says
// so is read after its release, which the sanitizer build reports.
#pragma once

#include "objectlist/objectlist.h"

#include <string>
#include <vector>

namespace duebell::testing {

class WatchingGrid : public ITovListListener {
public:
    WatchingGrid(TTovObjectList& list, std::string keyProperty)
        : list_(&list), keyProperty_(std::move(keyProperty)) {
        list.AddListener(this);
        Refill();
    }
    ~WatchingGrid() {
        if (list_ != nullptr)
            list_->RemoveListener(this);
    }
    WatchingGrid(const WatchingGrid&) = delete;
    WatchingGrid& operator=(const WatchingGrid&) = delete;

    void Select(std::size_t row) {
        selected_ = rows_.at(row);
        selectedKey_ = KeyOf(*selected_);
    }
    // The key of the selected row; empty when no row is selected.
    std::string SelectedKey() const { return selected_ != nullptr ? KeyOf(*selected_) : ""; }
    // The keys of the rows shown, read from the records the grid holds.
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const TTovObjectItem* row : rows_)
            keys.push_back(KeyOf(*row));
        return keys;
    }
    bool Watching() const { return list_ != nullptr; }
    int Changes() const { return changes_; }

    void ListChanged(TTovObjectList*, TTovObjectItem* item, TTovChangeKind kind) override {
        ++changes_;
        if (kind == ckListDestroying) {
            list_ = nullptr;
            rows_.clear();
            selected_ = nullptr;
            return;
        }
        if (selected_ != nullptr)
            selectedKey_ = KeyOf(*selected_);
        if (kind == ckItemAdded && item != nullptr) {
            // One more row: only the new record is read.
            rows_.assign(list_->begin(), list_->end());
            if (selected_ == nullptr && KeyOf(*item) == selectedKey_)
                selected_ = item;
            return;
        }
        (void)Keys(); // the repaint before the refill
        Refill();
    }

private:
    std::string KeyOf(const TTovObjectItem& row) const {
        return row.GetPropertyValue(keyProperty_).AsString();
    }

    void Refill() {
        rows_.assign(list_->begin(), list_->end());
        selected_ = nullptr;
        for (TTovObjectItem* row : rows_)
            if (!selectedKey_.empty() && KeyOf(*row) == selectedKey_)
                selected_ = row;
    }

    TTovObjectList* list_;
    std::string keyProperty_;
    std::vector<TTovObjectItem*> rows_;
    TTovObjectItem* selected_ = nullptr;
    std::string selectedKey_;
    int changes_ = 0;
};

} // namespace duebell::testing
