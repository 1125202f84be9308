// Where ledger days and movements live. A book's ledgers take hundreds of megabytes, written at
// every start, and the first write to a fresh page costs far more than the write itself. The
// blocks come from a few large slabs rather than a mapping per loan, so that a refresh of the
// whole book can make the pages it is about to write ready beforehand, on every core at once.
// A block handed back is kept for the next ledger of its size class; blocks are never
// returned to the system, as the ledgers of a book are rebuilt rather than dropped.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace duebell {

namespace daystorage {
void* Allocate(std::size_t bytes);
void Free(void* block, std::size_t bytes) noexcept;
// Makes ready ahead, on the machine's cores, the new storage that blocks of these sizes will
// take next: a refresh of a whole book then writes its days into memory already in place.
// Only a speed-up: when the system refuses, the blocks are made as they are taken.
void Prefault(const std::vector<std::size_t>& blockBytes) noexcept;
} // namespace daystorage

template <class T>
struct TDayStorageAllocator {
    using value_type = T;

    TDayStorageAllocator() = default;
    template <class U>
    TDayStorageAllocator(const TDayStorageAllocator<U>&) noexcept {} // NOLINT

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(daystorage::Allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { daystorage::Free(p, n * sizeof(T)); }

    friend bool operator==(TDayStorageAllocator, TDayStorageAllocator) { return true; }
};

} // namespace duebell
