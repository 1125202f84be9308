#include "zip/bufferstream.h"

#include "zip/zipexceptions.h"

#include <algorithm>
#include <cstring>

namespace duebell::zip {

TS_BufferStream::TS_BufferStream(TStream& stream, int bufSize)
    : stream_(&stream), buffer_(static_cast<std::size_t>(std::max(bufSize, 1))) {
    base_ = stream_->Position();
}

TS_BufferStream::TS_BufferStream(std::unique_ptr<TStream> stream, int bufSize)
    : owned_(std::move(stream)), stream_(owned_.get()),
      buffer_(static_cast<std::size_t>(std::max(bufSize, 1))) {
    base_ = stream_->Position();
}

TS_BufferStream::~TS_BufferStream() {
    const bool flushed = FlushBuffer();
    if (flushed && flushOnClose_ && written_) {
        if (auto* file = dynamic_cast<TFileStream*>(stream_)) {
            file->FlushToDisk();
        }
    }
}

bool TS_BufferStream::FlushBuffer() {
    if (state_ != State::Writing) {
        return true;
    }
    const std::int64_t put = stream_->Write(buffer_.data(), static_cast<std::int64_t>(pos_));
    const bool complete = put == static_cast<std::int64_t>(pos_);
    base_ += std::max<std::int64_t>(put, 0);
    pos_ = 0;
    end_ = 0;
    state_ = State::Empty;
    if (!complete) {
        stream_->Seek(base_, soFromBeginning);
    }
    return complete;
}

// The underlying stream stands behind the read data; bring it back to the logical position.
void TS_BufferStream::DropReadData() {
    if (state_ == State::Reading) {
        base_ += static_cast<std::int64_t>(pos_);
        stream_->Seek(base_, soFromBeginning);
        pos_ = 0;
        end_ = 0;
        state_ = State::Empty;
    }
}

std::int64_t TS_BufferStream::Read(void* buffer, std::int64_t count) {
    if (state_ == State::Writing) {
        FlushBuffer();
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        if (state_ != State::Reading || pos_ == end_) {
            if (state_ == State::Reading) {
                base_ += static_cast<std::int64_t>(end_);
            }
            const std::int64_t got = stream_->Read(buffer_.data(), std::ssize(buffer_));
            pos_ = 0;
            end_ = static_cast<std::size_t>(std::max<std::int64_t>(got, 0));
            state_ = end_ > 0 ? State::Reading : State::Empty;
            if (end_ == 0) {
                break;
            }
        }
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::int64_t>(count - done, end_ - pos_));
        std::memcpy(out + done, buffer_.data() + pos_, n);
        pos_ += n;
        done += static_cast<std::int64_t>(n);
    }
    return done;
}

std::int64_t TS_BufferStream::Write(const void* buffer, std::int64_t count) {
    DropReadData();
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        if (pos_ == buffer_.size() && !FlushBuffer()) {
            break;
        }
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::int64_t>(count - done, buffer_.size() - pos_));
        std::memcpy(buffer_.data() + pos_, in + done, n);
        pos_ += n;
        done += static_cast<std::int64_t>(n);
        state_ = State::Writing;
        written_ = true;
    }
    return done;
}

std::int64_t TS_BufferStream::Seek(std::int64_t offset, int origin) {
    std::int64_t target = 0;
    switch (origin) {
    case soFromBeginning:
        target = offset;
        break;
    case soFromCurrent:
        target = LogicalPosition() + offset;
        break;
    case soFromEnd:
        target = Size() - std::abs(offset);
        break;
    default:
        throw Exception("Invalid seek origin (" + std::to_string(origin) + ")");
    }
    if (target == LogicalPosition()) {
        return target;
    }
    // A move inside the data already read needs no trip to the underlying stream.
    if (state_ == State::Reading && target >= base_ &&
        target <= base_ + static_cast<std::int64_t>(end_)) {
        pos_ = static_cast<std::size_t>(target - base_);
        return target;
    }
    if (state_ == State::Writing && !FlushBuffer()) {
        throw Exception("\nSeek error");
    }
    base_ = stream_->Seek(target, soFromBeginning);
    pos_ = 0;
    end_ = 0;
    state_ = State::Empty;
    return base_;
}

std::int64_t TS_BufferStream::Size() {
    return std::max(stream_->Size(), LogicalPosition());
}

TLFNFileStream::TLFNFileStream(const std::string& fileName, int bufSize, bool flushOnClose,
                               TFileMode mode)
    : TS_BufferStream(std::make_unique<TFileStream>(fileName, mode), bufSize) {
    SetFlushOnClose(flushOnClose && mode != TFileMode::OpenRead);
}

int TLFNFileStream::Handle() {
    return static_cast<TFileStream&>(Underlying()).Handle();
}

} // namespace duebell::zip
