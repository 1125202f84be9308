// A map from 24-bit colours to numbers (counts, palette indices), open addressing that
// doubles as it fills. Colour reduction's histograms and pixel mappings use it.
#pragma once

#include <cstdint>
#include <vector>

namespace duebell::pictures {

class ColorMap {
public:
    ColorMap() : keys_(1024, Empty), values_(1024) {}

    // The value of the key, created as 0 when absent. The reference holds until the next call.
    std::uint32_t& operator[](std::uint32_t key) {
        std::size_t slot = Find(key);
        if (keys_[slot] == Empty) {
            if ((size_ + 1) * 2 > keys_.size()) {
                Grow();
                slot = Find(key);
            }
            keys_[slot] = key;
            values_[slot] = 0;
            ++size_;
        }
        return values_[slot];
    }
    // The value of a key that is present.
    std::uint32_t At(std::uint32_t key) const { return values_[Find(key)]; }
    std::size_t Size() const { return size_; }

    // Calls f(key, value) for every entry.
    template <typename F> void ForEach(F&& f) const {
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            if (keys_[i] != Empty) {
                f(keys_[i], values_[i]);
            }
        }
    }

private:
    static constexpr std::uint32_t Empty = 0xFFFFFFFF; // never a 24-bit colour

    std::size_t Find(std::uint32_t key) const {
        const std::size_t mask = keys_.size() - 1;
        std::size_t slot = static_cast<std::uint32_t>(key * 2654435761u) >> (32 - bits_);
        while (keys_[slot] != Empty && keys_[slot] != key) {
            slot = (slot + 1) & mask;
        }
        return slot;
    }
    void Grow() {
        ++bits_;
        std::vector<std::uint32_t> keys(keys_.size() * 2, Empty);
        std::vector<std::uint32_t> values(keys.size());
        keys.swap(keys_);
        values.swap(values_);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != Empty) {
                const std::size_t slot = Find(keys[i]);
                keys_[slot] = keys[i];
                values_[slot] = values[i];
            }
        }
    }

    std::vector<std::uint32_t> keys_;
    std::vector<std::uint32_t> values_;
    std::size_t size_ = 0;
    int bits_ = 10; // log2 of the slot count
};

} // namespace duebell::pictures
