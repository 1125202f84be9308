// The SAX events of a document as bytes in blocks: written as the parser meets them, played
// to a handler afterwards, possibly on another thread. Each event is a kind byte and its
// fields; a start or end tag keeps the place it was met at (in whatever form the parse
// records it), for an error its handler raises. An end tag's name is its start tag's, as
// the parser has checked, so the player takes it from the tags still open. Text met between
// two tags is kept as one event.
#pragma once

#include "objectlist/saxreader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace duebell {

struct SaxEventBlock {
    // Large enough that handing a block over costs nothing next to filling it, small enough to
    // stay in cache. A block is larger only for one event that needs more.
    static constexpr std::size_t UsualSize = 256 * 1024;

    // An empty block of the usual size, or of atLeast bytes when that is more.
    static SaxEventBlock make(std::size_t atLeast);
    bool usual() const { return bytes != nullptr && capacity == UsualSize; }

    std::unique_ptr<char[]> bytes;
    std::size_t capacity = 0;
    std::size_t size = 0;
};

// Where the writer hands a filled block and gets an empty one of at least the size asked
// (none when it asks for 0 bytes).
class SaxBlockSink {
public:
    virtual ~SaxBlockSink() = default;
    virtual SaxEventBlock exchange(SaxEventBlock filled, std::size_t atLeast) = 0;
};

class SaxEventWriter {
public:
    explicit SaxEventWriter(SaxBlockSink& sink) : sink_(sink) {}

    // attributes: name, value, ..., null, as expat gives them.
    void start(const char* name, const char** attributes, std::int64_t place);
    void end(std::int64_t place);
    void text(const char* text, std::size_t length);
    // Hands over what is written; the writer starts a new block on its next event.
    void flush();

private:
    char* reserve(std::size_t length);

    SaxBlockSink& sink_;
    SaxEventBlock block_;
    std::size_t openText_ = 0;         // offset of the length of a text event still growing, or 0
    std::vector<std::size_t> lengths_; // of a start tag's attribute names and values
};

// Plays blocks to a handler, one by one, in the order written. Text goes to the handler
// when the next tag is played.
class SaxEventPlayer {
public:
    explicit SaxEventPlayer(SaxContentHandler& handler) : handler_(handler) {}

    // A handler's exception propagates, with place() that of the tag being played.
    void play(const SaxEventBlock& block);
    std::int64_t place() const { return place_; }

private:
    void flushText();

    SaxContentHandler& handler_;
    std::string text_;
    SaxAttributes attributes_;
    std::vector<std::string> open_; // the names of the open tags, from open_[0] to depth_ - 1
    std::size_t depth_ = 0;
    std::int64_t place_ = 0;
};

} // namespace duebell
