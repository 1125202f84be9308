// The hand-over of event blocks from the parse to the reader that plays them. Limited, the
// parse waits while the reader is that many blocks behind; unlimited, the parse can run to
// the end before the reader starts. Played blocks come back to be filled again.
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
    // Set before the parse starts; 0 (as made) is unlimited.
    void limit(std::size_t maxWaiting) { maxWaiting_ = maxWaiting; }

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
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t maxWaiting_ = 0;
    std::deque<SaxEventBlock> filled_;
    std::vector<SaxEventBlock> spare_;
    bool finished_ = false;
    bool stopped_ = false;
    SaxParseOutcome outcome_;
};

} // namespace duebell
