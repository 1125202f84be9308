#include "domain/daystorage.h"

#include <sys/mman.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <thread>
#include <unordered_map>
#include <vector>

namespace duebell::daystorage {

namespace {

// The address sanitizer watches the bounds of blocks only from the ordinary heap.
#if defined(__SANITIZE_ADDRESS__)
#define DUEBELL_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DUEBELL_ADDRESS_SANITIZER
#endif
#endif
#ifdef DUEBELL_ADDRESS_SANITIZER
constexpr bool Pooled = false;
#else
constexpr bool Pooled = true;
#endif

// Below this a ledger is a few weeks long and the ordinary heap serves it well.
constexpr std::size_t SmallBlock = 16 * 1024;
// Blocks are rounded up to a whole number of grains, so a ledger one day longer than the
// last build of its loan mostly takes the very block that build handed back.
constexpr std::size_t Grain = 16 * 1024;
// A slab holds hundreds of ledgers; a ledger this long has a mapping of its own.
constexpr std::size_t SlabSize = 64 * 1024 * 1024;
constexpr std::size_t OwnMapping = SlabSize / 4;
// Less than this is not worth a thread; each thread's share is a whole number of these.
constexpr std::size_t PrefaultSlice = 8 * 1024 * 1024;
constexpr std::size_t SliceGrain = 2 * 1024 * 1024;
constexpr std::size_t PageSize = 4096;

std::size_t RoundUp(std::size_t bytes, std::size_t to) {
    return (bytes + to - 1) / to * to;
}

std::size_t PooledSize(std::size_t bytes) {
    return bytes >= SmallBlock && bytes < OwnMapping ? RoundUp(bytes, Grain) : 0;
}

// Writes the range's pages in, as the first write to each would.
void Populate(char* begin, std::size_t bytes) {
    if (madvise(begin, bytes, MADV_POPULATE_WRITE) != 0) { // older systems: touch each page
        for (std::size_t at = 0; at < bytes; at += PageSize) {
            *static_cast<volatile char*>(begin + at) = 0; // no one uses the range yet
        }
    }
}

void PopulateOnCores(char* begin, std::size_t bytes) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min(cores, bytes / PrefaultSlice + 1);
    const std::size_t slice = RoundUp(RoundUp(bytes, threads) / threads, SliceGrain);
    std::vector<std::thread> workers;
    workers.reserve(threads);
    try {
        for (std::size_t at = slice; at < bytes; at += slice) {
            workers.emplace_back(Populate, begin + at, std::min(slice, bytes - at));
        }
    } catch (...) { // no more threads: this one does the rest
        for (std::size_t at = slice * (workers.size() + 1); at < bytes; at += slice) {
            Populate(begin + at, std::min(slice, bytes - at));
        }
    }
    Populate(begin, std::min(slice, bytes));
    for (std::thread& worker : workers) {
        worker.join();
    }
}

void* Map(std::size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        throw std::bad_alloc();
    }
    return block;
}

class TPool {
public:
    void* Take(std::size_t size) {
        const std::lock_guard lock(mutex_);
        TSizeClass& blocks = classes_[size];
        if (!blocks.spare.empty()) {
            void* block = blocks.spare.back();
            blocks.spare.pop_back();
            return block;
        }
        blocks.spare.reserve(blocks.made + 1); // so that handing any back never allocates
        if (left_ < size) {
            NewSlab(SlabSize);
        }
        void* block = next_;
        next_ += size;
        left_ -= size;
        ++blocks.made;
        return block;
    }

    void Give(void* block, std::size_t size) noexcept {
        const std::lock_guard lock(mutex_);
        classes_.find(size)->second.spare.push_back(block); // room reserved when it was made
    }

    void Prefault(const std::vector<std::size_t>& sizes) {
        const std::lock_guard lock(mutex_); // nothing is taken from the range meanwhile
        std::unordered_map<std::size_t, std::size_t> spareTaken;
        std::size_t bytes = 0;
        for (const std::size_t size : sizes) {
            const auto blocks = classes_.find(size);
            if (blocks != classes_.end() && spareTaken[size] < blocks->second.spare.size()) {
                ++spareTaken[size]; // a block handed back serves it, in place already
            } else {
                bytes += size;
            }
        }
        if (bytes == 0) {
            return;
        }
        if (left_ < bytes) {
            NewSlab(std::max(SlabSize, RoundUp(bytes, SliceGrain)));
        }
        PopulateOnCores(next_, bytes);
    }

private:
    // The rest of the old slab stays unused; it takes memory only where it was made ready ahead.
    void NewSlab(std::size_t bytes) {
        next_ = static_cast<char*>(Map(bytes));
        left_ = bytes;
    }

    struct TSizeClass {
        std::vector<void*> spare;
        std::size_t made = 0;
    };

    std::mutex mutex_;
    std::unordered_map<std::size_t, TSizeClass> classes_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

TPool& Pool() {
    static TPool* pool = new TPool(); // outlives every ledger, even those freed at exit
    return *pool;
}

} // namespace

void* Allocate(std::size_t bytes) {
    if (Pooled && bytes >= OwnMapping) {
        return Map(RoundUp(bytes, Grain));
    }
    if (Pooled && bytes >= SmallBlock) {
        return Pool().Take(PooledSize(bytes));
    }
    return ::operator new(bytes);
}

void Free(void* block, std::size_t bytes) noexcept {
    if (Pooled && bytes >= OwnMapping) {
        munmap(block, RoundUp(bytes, Grain));
        return;
    }
    if (Pooled && bytes >= SmallBlock) {
        Pool().Give(block, PooledSize(bytes));
        return;
    }
    ::operator delete(block);
}

void Prefault(const std::vector<std::size_t>& blockBytes) noexcept {
    if (!Pooled) {
        return;
    }
    std::vector<std::size_t> sizes;
    try {
        for (const std::size_t block : blockBytes) {
            if (const std::size_t size = PooledSize(block)) {
                sizes.push_back(size);
            }
        }
        Pool().Prefault(sizes);
    } catch (...) { // only a speed-up
    }
}

} // namespace duebell::daystorage
