// Byte streams as the archive code uses them: read and write return how many bytes moved,
// and a short count is not an error by itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace duebell::zip {

// Seek origins.
inline constexpr int soFromBeginning = 0;
inline constexpr int soFromCurrent = 1;
inline constexpr int soFromEnd = 2; // the size less the absolute offset

class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // The number of bytes read; fewer than asked at the end of the data.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    // The number of bytes written; fewer than asked when the medium is full or failing.
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;
    virtual std::int64_t Size();

    std::int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }
    // Raise EReadError / EWriteError when fewer bytes move than asked.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from the source's position; raises on a short read or write.
    void CopyFrom(TStream& source, std::int64_t count);
};

enum class TFileMode { OpenRead, OpenReadWrite, Create };

// A file opened by name; the descriptor is closed with the stream.
class TFileStream : public TStream {
public:
    // Raises EFOpenError, or EFCreateError for TFileMode::Create.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    std::int64_t Size() override;

    int Handle() const { return handle_; }
    const std::string& FileName() const { return fileName_; }
    // Asks the system to put the file's data on the disk; false when it fails.
    bool FlushToDisk();

private:
    std::string fileName_;
    int handle_ = -1;
};

// A growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
    TMemoryStream(const void* data, std::size_t size);

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

    const std::vector<std::uint8_t>& Data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

} // namespace duebell::zip
