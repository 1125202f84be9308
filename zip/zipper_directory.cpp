// The end of a new archive: the central directory, the end record and the ".zfc" copy of
// both.
#include "zip/filehelpers.h"
#include "zip/littleendian.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"
#include "zip/zipper.h"
#include "zip/zipper_build.h"

#include <limits>

namespace duebell::zip {

namespace {

constexpr std::int64_t MaxOffset = std::numeric_limits<std::uint32_t>::max();

void CheckOffset(std::int64_t offset) {
    if (offset > MaxOffset) {
        throw Exception("The archive would exceed 4 GB, more than a zip archive can address.");
    }
}

// Makes room for `size` bytes of a record that must not be split over two parts.
void EnsureRoom(TZipOutput& output, std::int64_t size) {
    if (output.MultiVolume() && output.RoomLeft() < size) {
        output.StartNextPart();
        if (output.RoomLeft() < size) {
            throw ENotEnoughRoom(msg::NotEnoughRoom);
        }
    }
}

std::vector<std::uint8_t> ReadAt(TStream& stream, std::int64_t position, std::int64_t count) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    stream.Seek(position, soFromBeginning);
    stream.ReadBuffer(bytes.data(), count);
    return bytes;
}

// The entry's central record. The extra field of an entry carried over from the old archive
// is copied from there and goes between the name and the comment, where the format has it.
std::vector<std::uint8_t> CentralRecordBytes(TZipHeaderInfo& entry, TStream* oldArchive) {
    TMemoryStream record;
    entry.SaveCentralToStream(record);
    std::vector<std::uint8_t> bytes = record.Data();
    if (entry.CentralExtraLength == 0) {
        return bytes;
    }
    if (oldArchive == nullptr) {
        throw InternalError("An entry with an extra field has no archive to copy it from.");
    }
    const auto fixed = ReadAt(*oldArchive, entry.CentralOffset, CentralRecordFixedSize);
    const std::int64_t oldNameLength = Get16(&fixed[28]);
    const auto extra =
        ReadAt(*oldArchive, entry.CentralOffset + CentralRecordFixedSize + oldNameLength,
               entry.CentralExtraLength);
    const std::size_t nameEnd = CentralRecordFixedSize + Get16(&bytes[28]);
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(nameEnd), extra.begin(), extra.end());
    return bytes;
}

} // namespace

void TZipper::WriteCentralDirectory(Build& build) {
    TZipOutput& output = *build.output;
    TEndCentral& end = build.endCentral;
    TStream* oldArchive = build.updating ? &Archive() : nullptr;
    end.DirectoryOffset = static_cast<std::uint32_t>(output.Position());
    end.StartDisk = static_cast<std::uint16_t>(output.CurrentDisk());
    CheckOffset(output.Position());
    std::int64_t size = 0;
    int onThisDisk = 0;
    bool first = true;
    for (TZipHeaderInfo* entry : *build.written) {
        const std::vector<std::uint8_t> record = CentralRecordBytes(*entry, oldArchive);
        const int diskBefore = output.CurrentDisk();
        EnsureRoom(output, std::ssize(record));
        if (output.CurrentDisk() != diskBefore) {
            onThisDisk = 0;
            if (first) {
                end.DirectoryOffset = 0;
                end.StartDisk = static_cast<std::uint16_t>(output.CurrentDisk());
            }
        }
        CheckOffset(output.Position() + std::ssize(record));
        entry->CentralOffset = output.Position();
        output.Stream().WriteBuffer(record.data(), std::ssize(record));
        if (output.MultiVolume() && MultiZipInfo.SaveZipInfoOnFirstDisk) {
            build.directoryBytes.insert(build.directoryBytes.end(), record.begin(), record.end());
        }
        size += std::ssize(record);
        ++onThisDisk;
        first = false;
    }
    end.DirectorySize = static_cast<std::uint32_t>(size);
    end.EntriesThisDisk = static_cast<std::uint16_t>(onThisDisk);
}

void TZipper::WriteEndRecord(Build& build) {
    TZipOutput& output = *build.output;
    TEndCentral& end = build.endCentral;
    const int diskBefore = output.CurrentDisk();
    EnsureRoom(output, end.EndCentralSize());
    if (output.CurrentDisk() != diskBefore) {
        end.EntriesThisDisk = 0;
    }
    end.ThisDisk = static_cast<std::uint16_t>(output.CurrentDisk());
    TMemoryStream record;
    end.SaveToStream(record);
    output.Stream().WriteBuffer(record.Data().data(), std::ssize(record.Data()));
    if (output.MultiVolume() && MultiZipInfo.SaveZipInfoOnFirstDisk) {
        build.directoryBytes.insert(build.directoryBytes.end(), record.Data().begin(),
                                    record.Data().end());
    }
}

// The central directory and end record once more, in a file beside the first part, for a
// reader that finds the last part missing. Its failures are shown, not raised: the archive
// itself is complete.
void TZipper::WriteZfcFile(Build& build, const std::string& zipName) {
    const std::string name = ChangeFileExt(zipName, ".zfc");
    std::unique_ptr<TFileStream> file;
    try {
        file = std::make_unique<TFileStream>(name, TFileMode::Create);
    } catch (const EStreamError&) {
        Callbacks().ShowMessage("", msg::CantCreateZfc);
        return;
    }
    const auto& bytes = build.directoryBytes;
    if (file->Write(bytes.data(), std::ssize(bytes)) != std::ssize(bytes) || !file->FlushToDisk()) {
        Callbacks().ShowMessage("", msg::CantSaveZfc);
    }
}

} // namespace duebell::zip
