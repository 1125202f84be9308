// A buffered stream over another stream, so that byte-wise scans and small header reads do
// not reach the operating system for every byte; and its form that owns a file.
#pragma once

#include "zip/stream.h"

#include <memory>
#include <string>
#include <vector>

namespace duebell::zip {

class TS_BufferStream : public TStream {
public:
    // Buffers the given stream, which must outlive this one.
    TS_BufferStream(TStream& stream, int bufSize);
    // Buffers a stream it owns.
    TS_BufferStream(std::unique_ptr<TStream> stream, int bufSize);
    // Writes what is still buffered (failures are lost here: call FlushBuffer to see them).
    ~TS_BufferStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Origins 0, 1 and 2 only; any other raises "Invalid seek origin (%d)".
    std::int64_t Seek(std::int64_t offset, int origin) override;
    std::int64_t Size() override;

    // Writes the buffered data; false when the underlying stream took fewer bytes.
    bool FlushBuffer();
    // When set, the destructor also asks the system to put a written file on the disk.
    void SetFlushOnClose(bool flush) { flushOnClose_ = flush; }
    TStream& Underlying() { return *stream_; }

private:
    enum class State { Empty, Reading, Writing };

    std::int64_t LogicalPosition() const { return base_ + pos_; }
    void DropReadData();

    std::unique_ptr<TStream> owned_;
    TStream* stream_;
    std::vector<std::uint8_t> buffer_;
    // Position of the buffer's first byte in the underlying stream.
    std::int64_t base_ = 0;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    State state_ = State::Empty;
    bool written_ = false;
    bool flushOnClose_ = false;
};

// A buffered stream over a file it opens and owns.
class TLFNFileStream : public TS_BufferStream {
public:
    TLFNFileStream(const std::string& fileName, int bufSize, bool flushOnClose, TFileMode mode);
    int Handle();
};

} // namespace duebell::zip
