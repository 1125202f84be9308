#include "objectlist/saxeventqueue.h"

#include <algorithm>

namespace duebell {

namespace {

// Large enough that handing over costs nothing next to filling, small enough to stay in cache.
constexpr std::size_t BlockSize = 256 * 1024;

SaxEventBlock NewBlock(std::size_t atLeast) {
    SaxEventBlock block;
    block.capacity = std::max(BlockSize, atLeast);
    block.bytes = std::make_unique_for_overwrite<char[]>(block.capacity);
    return block;
}

} // namespace

SaxEventBlock SaxEventQueue::exchange(SaxEventBlock filled, std::size_t atLeast) {
    SaxEventBlock empty;
    {
        std::unique_lock lock(mutex_);
        if (filled.size != 0) {
            if (maxWaiting_ != 0)
                changed_.wait(lock, [&] { return stopped_ || filled_.size() < maxWaiting_; });
            if (stopped_) {
                filled.size = 0;
                spare_.push_back(std::move(filled));
            } else {
                filled_.push_back(std::move(filled));
                changed_.notify_all();
            }
        } else if (filled.bytes != nullptr) {
            spare_.push_back(std::move(filled));
        }
        if (atLeast == 0)
            return empty;
        const auto fits = std::find_if(spare_.begin(), spare_.end(),
                                       [&](const SaxEventBlock& b) { return b.capacity >= atLeast; });
        if (fits != spare_.end()) {
            empty = std::move(*fits);
            spare_.erase(fits);
        }
    }
    return empty.bytes != nullptr ? std::move(empty) : NewBlock(atLeast);
}

void SaxEventQueue::finish(SaxParseOutcome outcome) {
    std::lock_guard lock(mutex_);
    outcome_ = std::move(outcome);
    finished_ = true;
    changed_.notify_all();
}

bool SaxEventQueue::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

bool SaxEventQueue::next(SaxEventBlock& block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return finished_ || !filled_.empty(); });
    if (filled_.empty())
        return false;
    block = std::move(filled_.front());
    filled_.pop_front();
    changed_.notify_all();
    return true;
}

void SaxEventQueue::giveBack(SaxEventBlock block) {
    block.size = 0;
    std::lock_guard lock(mutex_);
    spare_.push_back(std::move(block));
}

void SaxEventQueue::stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

SaxParseOutcome SaxEventQueue::outcome() {
    std::lock_guard lock(mutex_);
    return outcome_;
}

} // namespace duebell
