// Where the zip writer puts a new archive: one file written beside the archive's name and
// renamed over it only once complete, or a set of numbered block files (".001", ".002", ...)
// each at most a given size. A short write raises ENotEnoughRoom; an output dropped before
// Commit deletes everything it wrote, so an existing archive is never left half-replaced.
#pragma once

#include "zip/bufferstream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace duebell::zip {

class TZipOutput {
public:
    // A single archive, written to a temporary file in the folder of zipName.
    explicit TZipOutput(const std::string& zipName);
    // A block archive: parts named like zipName with the extension ".001", ".002", ...; the
    // first holds at most firstBlockSize bytes, every later one blockSize.
    TZipOutput(const std::string& zipName, std::int64_t firstBlockSize, std::int64_t blockSize);
    ~TZipOutput();
    TZipOutput(const TZipOutput&) = delete;
    TZipOutput& operator=(const TZipOutput&) = delete;

    // The current part; its writes raise ENotEnoughRoom when they fall short.
    TStream& Stream();
    std::int64_t Position() { return Stream().Position(); }
    bool MultiVolume() const { return blocks_; }
    // Zero-based number of the current part.
    int CurrentDisk() const { return static_cast<int>(parts_.size()) - 1; }
    // Bytes the current part can still take (unlimited for a single archive).
    std::int64_t RoomLeft();
    // Closes the current part (flushed to disk) and opens the next.
    void StartNextPart();
    // Total bytes written over all parts so far.
    std::int64_t BytesWritten();

    // Puts every part on the disk and gives the archive its final name: a single archive
    // and a block archive of one part are renamed to zipName; a block archive of several parts
    // keeps its numbered names. Returns the name under which the archive can be opened (the
    // last part). Raises when anything cannot be written or renamed.
    std::string Commit();

private:
    class RoomCheckedStream;

    void OpenPart(const std::string& fileName);
    void ClosePart();
    std::string PartName(int number) const;
    void Discard() noexcept;

    std::string zipName_;
    bool blocks_ = false;
    std::int64_t firstBlockSize_ = 0;
    std::int64_t blockSize_ = 0;
    std::vector<std::string> parts_; // files written, in order
    std::int64_t closedBytes_ = 0;   // bytes in the parts already closed
    std::unique_ptr<TLFNFileStream> file_;
    std::unique_ptr<RoomCheckedStream> checked_;
    bool committed_ = false;
};

} // namespace duebell::zip
