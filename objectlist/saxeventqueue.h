// The hand-over of event blocks from a parse on a thread of its own to the reader that plays
// them. The parse waits while the blocks waiting for the reader hold the bytes allowed (a
// single block larger than that is let through alone), so however large the events, what is
// held ahead of the reader stays bounded. Played blocks come back to be filled again: those of
// the usual size, and of the larger ones made for one event, only the largest.
#pragma once

#include "objectlist/saxevents.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace duebell {

// How the parse ended: well (ok), with error filled, or with an exception of its own.
struct SaxParseOutcome {
    bool ok = false;
    SaxError error;
    std::exception_ptr failure;
};

class SaxEventQueue : public SaxBlockSink {
public:
    explicit SaxEventQueue(std::size_t bytesAhead) : bytesAhead_(bytesAhead) {}

    // The parse's side. Once the reader has stopped, filled blocks are dropped at once.
    SaxEventBlock exchange(SaxEventBlock filled, std::size_t atLeast) override;
    void finish(SaxParseOutcome outcome);
    bool stopped() const;

    // The reader's side: the next filled block, or false once the parse has finished and
    // every block was taken.
    bool next(SaxEventBlock& block);
    void giveBack(SaxEventBlock block);
    // No more blocks are wanted: a parse waiting for room goes on at once.
    void stop();
    SaxParseOutcome outcome();

private:
    void keep(SaxEventBlock block);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const std::size_t bytesAhead_;
    std::deque<SaxEventBlock> filled_;
    std::size_t filledBytes_ = 0; // the capacity of the blocks in filled_
    std::vector<SaxEventBlock> spare_;
    SaxEventBlock large_; // the largest block made for one event, kept for the next such
    bool finished_ = false;
    bool stopped_ = false;
    SaxParseOutcome outcome_;
};

} // namespace duebell
