// One archive entry: the in-memory form of both its local header and its central directory
// record. Names are held with "/" between folders; the directory part, when not empty,
// ends in "/".
#pragma once

#include "zip/stream.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace duebell::zip {

// Switches the archive to its next disk and returns the stream to go on reading from.
using TNextDiskRoutine = std::function<TStream&()>;

inline constexpr int LocalHeaderFixedSize = 30;
inline constexpr int CentralRecordFixedSize = 46;

// General purpose flag bits.
inline constexpr std::uint16_t FlagEncrypted = 0x0001;
inline constexpr std::uint16_t FlagDescriptor = 0x0008;
inline constexpr std::uint16_t FlagUtf8Name = 0x0800;

class TZipHeaderInfo {
public:
    static constexpr const char* ClassName = "TZipHeaderInfo";

    TZipHeaderInfo() { Clear(); }

    // The defaults of a new entry: made by 20, needed 20, deflated, CRC 0xFFFFFFFF,
    // internal attributes 1, external attributes 0x20 (archive), everything else empty.
    void Clear();
    // Copies every field but the OEM flag.
    void Assign(const TZipHeaderInfo& source);
    void AssignTo(TZipHeaderInfo& target) const { target.Assign(*this); }

    const std::string& Filename() const { return filename_; }
    const std::string& Directory() const { return directory_; }
    void SetFilename(const std::string& name);
    // A backslash counts as "/"; appends "/" unless the text is empty or already ends in one.
    void SetDirectory(const std::string& directory);
    // The stored name: directory and file name, "/" between folders, in the OEM code page
    // when the OEM flag is set (and the name is not flagged as UTF-8).
    std::string StoredName() const;
    std::uint16_t FilenameLength() const;

    // The comment text once read (it is read on demand from CentralOffset).
    const std::optional<std::string>& FileComment() const { return comment_; }
    void SetFileComment(std::optional<std::string> comment);

    bool Encrypted() const { return (Flags & FlagEncrypted) != 0; }
    bool HasDescriptor() const { return (Flags & FlagDescriptor) != 0; }
    bool HasComment() const { return FileCommentLength > 0; }
    std::int64_t LocalSize() const {
        return LocalHeaderFixedSize + FilenameLength() + LocalExtraLength;
    }
    std::int64_t CentralSize() const {
        return CentralRecordFixedSize + FilenameLength() + CentralExtraLength + FileCommentLength;
    }

    // Writes the 46 fixed bytes, the name and the comment (no extra field).
    void SaveCentralToStream(TStream& stream);
    // Records the stream position as RelativeOffset, then writes the 30 fixed bytes and the
    // name (no extra field).
    void SaveLocalToStream(TStream& stream);
    // Read one record at the stream position. A bad record leaves the stream where it was
    // and gives false; the stream is left behind the name on success. nextDisk, when given,
    // is asked for the next disk when a central record is cut by the end of a disk.
    bool ReadCentralFromStream(TStream& stream, const TNextDiskRoutine& nextDisk = {});
    bool ReadLocalFromStream(TStream& stream);

    std::uint16_t VersionMadeBy;
    std::uint16_t VersionNeeded;
    std::uint16_t Flags;
    std::uint16_t CompressionMethod;
    std::uint32_t DateTime; // MS-DOS: time low, date high
    std::uint32_t CRC32;
    std::uint32_t CompressedSize;
    std::uint32_t UncompressedSize;
    std::uint16_t CentralExtraLength;
    std::uint16_t LocalExtraLength;
    std::uint16_t FileCommentLength;
    std::uint16_t DiskNumberStart;
    std::uint16_t InternalAttributes;
    std::uint32_t ExternalAttributes;
    std::uint32_t RelativeOffset; // of the local header on its disk
    std::int64_t CentralOffset;   // where this entry's central record was read
    bool Selected;
    bool OEMConvert;

private:
    void SetStoredName(std::string_view stored, bool convertFromOem);
    void WriteName(TStream& stream) const;

    std::string filename_;
    std::string directory_;
    std::optional<std::string> comment_;
    // Set when the name was read as it stood (no code page conversion), so that it is
    // written back byte for byte.
    bool rawName_;
};

} // namespace duebell::zip
