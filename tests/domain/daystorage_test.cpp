// Ledger day storage: every live block is its own, a block handed back serves the next ledger
// of its size, and storage made ready ahead is in place before the first write.
#include "domain/daystorage.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define POOLED 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define POOLED 0
#endif
#endif
#ifndef POOLED
#define POOLED 1 // the sanitizer build takes every block from the ordinary heap, to watch it
#endif

namespace duebell {
namespace {

struct Block {
    unsigned char* at;
    std::size_t bytes;
};

// From a few days to a term far beyond any contract: heap, pooled and mapped blocks.
const std::size_t Sizes[] = {64,       16 * 1024 - 1, 16 * 1024,   16 * 1024 + 1,
                             150'000,  1 << 20,       (1 << 20) + 64, 16 << 20, 20 << 20};

TEST(DayStorage, LiveBlocksNeverShareAByteAndHandedBackOnesServeTheirSize) {
    std::vector<Block> live;
    for (int round = 0; round < 3; ++round) {
        for (const std::size_t bytes : Sizes) {
            auto* at = static_cast<unsigned char*>(daystorage::Allocate(bytes));
            std::memset(at, static_cast<int>(live.size() + 1), bytes);
            live.push_back({at, bytes});
        }
    }
    for (std::size_t i = 0; i < live.size(); ++i) {
        const auto fill = static_cast<unsigned char>(i + 1);
        EXPECT_TRUE(std::all_of(live[i].at, live[i].at + live[i].bytes,
                                [fill](unsigned char b) { return b == fill; }))
            << "block " << i << " of " << live[i].bytes << " bytes was written by another";
    }
    if (POOLED) {
        const Block pooled = live[4]; // 150,000 bytes
        daystorage::Free(pooled.at, pooled.bytes);
        EXPECT_EQ(daystorage::Allocate(150'000 + 64), pooled.at) << "same size class";
        live[4].bytes += 64;
    }
    for (const Block& block : live) {
        daystorage::Free(block.at, block.bytes);
    }
}

TEST(DayStorage, StorageMadeReadyAheadIsInPlaceBeforeItsFirstWrite) {
    if (!POOLED) {
        GTEST_SKIP() << "the sanitizer build makes nothing ready ahead";
    }
    const std::size_t bytes = 300'000;
    daystorage::Prefault(std::vector<std::size_t>(40, bytes));
    const long page = sysconf(_SC_PAGESIZE);
    std::vector<Block> taken;
    for (int i = 0; i < 40; ++i) {
        auto* at = static_cast<unsigned char*>(daystorage::Allocate(bytes));
        taken.push_back({at, bytes});
        auto* first = reinterpret_cast<unsigned char*>(reinterpret_cast<uintptr_t>(at) /
                                                       static_cast<uintptr_t>(page) *
                                                       static_cast<uintptr_t>(page));
        const std::size_t span = static_cast<std::size_t>(at + bytes - first);
        std::vector<unsigned char> resident((span + static_cast<std::size_t>(page) - 1) /
                                            static_cast<std::size_t>(page));
        ASSERT_EQ(mincore(first, span, resident.data()), 0);
        EXPECT_TRUE(std::all_of(resident.begin(), resident.end(),
                                [](unsigned char r) { return (r & 1) != 0; }))
            << "block " << i << " is not in memory before it is written";
    }
    for (const Block& block : taken) {
        daystorage::Free(block.at, block.bytes);
    }
}

} // namespace
} // namespace duebell
