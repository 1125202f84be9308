#include "objectlist/saxeventqueue.h"

#include <utility>

namespace duebell {

SaxEventBlock SaxEventQueue::exchange(SaxEventBlock filled, std::size_t atLeast) {
    SaxEventBlock empty;
    {
        std::unique_lock lock(mutex_);
        if (filled.size != 0) {
            changed_.wait(lock, [&] {
                return stopped_ || filled_.empty() || filledBytes_ + filled.capacity <= bytesAhead_;
            });
            if (stopped_) {
                keep(std::move(filled));
            } else {
                filledBytes_ += filled.capacity;
                filled_.push_back(std::move(filled));
                changed_.notify_all();
            }
        } else {
            keep(std::move(filled));
        }
        if (atLeast == 0)
            return empty;
        if (atLeast > SaxEventBlock::UsualSize) {
            if (large_.capacity >= atLeast)
                empty = std::exchange(large_, {});
        } else if (!spare_.empty()) {
            empty = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    return empty.bytes != nullptr ? std::move(empty) : SaxEventBlock::make(atLeast);
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
    filledBytes_ -= block.capacity;
    changed_.notify_all();
    return true;
}

void SaxEventQueue::giveBack(SaxEventBlock block) {
    std::lock_guard lock(mutex_);
    keep(std::move(block));
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

void SaxEventQueue::keep(SaxEventBlock block) {
    block.size = 0;
    if (block.usual())
        spare_.push_back(std::move(block));
    else if (block.bytes != nullptr && block.capacity > large_.capacity)
        large_ = std::move(block);
}

} // namespace duebell
