#include "objectlist/saxevents.h"

#include <algorithm>
#include <cstring>

namespace duebell {

namespace {

enum EventKind : char { StartTag = 'S', EndTag = 'E', Text = 'T' };

constexpr std::size_t LengthSize = sizeof(std::uint32_t);
constexpr std::size_t PlaceSize = sizeof(std::int64_t);

char* PutLength(char* at, std::size_t length) {
    const auto value = static_cast<std::uint32_t>(length);
    std::memcpy(at, &value, LengthSize);
    return at + LengthSize;
}

char* PutPlace(char* at, std::int64_t place) {
    std::memcpy(at, &place, PlaceSize);
    return at + PlaceSize;
}

char* PutString(char* at, const char* text, std::size_t length) {
    at = PutLength(at, length);
    std::memcpy(at, text, length);
    return at + length;
}

// Reads one block's events back in the order they were put.
class BlockReader {
public:
    explicit BlockReader(const SaxEventBlock& block)
        : at_(block.bytes.get()), end_(block.bytes.get() + block.size) {}

    bool atEnd() const { return at_ == end_; }
    char kind() { return *at_++; }
    std::size_t length() {
        std::uint32_t value = 0;
        std::memcpy(&value, at_, LengthSize);
        at_ += LengthSize;
        return value;
    }
    std::string_view string() {
        const std::size_t size = length();
        const std::string_view text(at_, size);
        at_ += size;
        return text;
    }
    std::int64_t place() {
        std::int64_t value = 0;
        std::memcpy(&value, at_, PlaceSize);
        at_ += PlaceSize;
        return value;
    }

private:
    const char* at_;
    const char* end_;
};

} // namespace

SaxEventBlock SaxEventBlock::make(std::size_t atLeast) {
    SaxEventBlock block;
    block.capacity = std::max(UsualSize, atLeast);
    block.bytes = std::make_unique_for_overwrite<char[]>(block.capacity);
    return block;
}

void SaxEventWriter::start(const char* name, const char** attributes, std::int64_t place) {
    openText_ = 0;
    const std::size_t nameLength = std::strlen(name);
    std::size_t length = 1 + PlaceSize + LengthSize + nameLength + LengthSize;
    lengths_.clear(); // each string measured once: a value may run to megabytes
    for (const char** a = attributes; *a != nullptr; ++a) {
        lengths_.push_back(std::strlen(*a));
        length += LengthSize + lengths_.back();
    }
    char* at = reserve(length);
    *at++ = StartTag;
    at = PutPlace(at, place);
    at = PutString(at, name, nameLength);
    at = PutLength(at, lengths_.size() / 2);
    for (std::size_t i = 0; i < lengths_.size(); ++i)
        at = PutString(at, attributes[i], lengths_[i]);
}

void SaxEventWriter::end(std::int64_t place) {
    openText_ = 0;
    char* at = reserve(1 + PlaceSize);
    *at++ = EndTag;
    PutPlace(at, place);
}

void SaxEventWriter::text(const char* text, std::size_t length) {
    if (openText_ != 0 && block_.capacity - block_.size >= length) {
        // The parser broke the text up: the piece joins the text event before it.
        std::uint32_t sofar = 0;
        std::memcpy(&sofar, block_.bytes.get() + openText_, LengthSize);
        PutLength(block_.bytes.get() + openText_, sofar + length);
        std::memcpy(block_.bytes.get() + block_.size, text, length);
        block_.size += length;
        return;
    }
    char* at = reserve(1 + LengthSize + length);
    *at++ = Text;
    openText_ = static_cast<std::size_t>(at - block_.bytes.get());
    PutString(at, text, length);
}

void SaxEventWriter::flush() {
    openText_ = 0;
    if (block_.size != 0)
        block_ = sink_.exchange(std::move(block_), 0);
}

char* SaxEventWriter::reserve(std::size_t length) {
    if (block_.capacity - block_.size < length) {
        openText_ = 0;
        block_ = sink_.exchange(std::move(block_), length);
    }
    char* at = block_.bytes.get() + block_.size;
    block_.size += length;
    return at;
}

void SaxEventPlayer::play(const SaxEventBlock& block) {
    BlockReader events(block);
    while (!events.atEnd()) {
        switch (events.kind()) {
        case Text: {
            const std::string_view piece = events.string();
            text_.append(piece);
            break;
        }
        case StartTag: {
            place_ = events.place();
            const std::string_view name = events.string();
            const std::size_t count = events.length();
            if (attributes_.size() < count)
                attributes_.resize(count);
            for (std::size_t i = 0; i < count; ++i) {
                attributes_[i].name.assign(events.string());
                attributes_[i].value.assign(events.string());
            }
            attributes_.resize(count);
            if (open_.size() == depth_)
                open_.emplace_back();
            open_[depth_++].assign(name);
            flushText();
            handler_.startElement(name, attributes_);
            break;
        }
        default: {
            place_ = events.place();
            flushText();
            handler_.endElement(open_[--depth_]);
            break;
        }
        }
    }
}

void SaxEventPlayer::flushText() {
    if (text_.empty())
        return;
    handler_.characters(text_);
    text_.clear();
}

} // namespace duebell
