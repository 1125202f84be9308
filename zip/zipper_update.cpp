// Updating an existing archive: each old entry is replaced by the file of the same name or
// carried over unchanged into the new archive.
#include "zip/dosdatetime.h"
#include "zip/littleendian.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"
#include "zip/zipper.h"
#include "zip/zipper_build.h"
#include "zip/zipsignatures.h"

#include <algorithm>

namespace duebell::zip {

namespace {

constexpr std::uint32_t DescriptorSignature = 0x08074B50;

// The data descriptor behind an entry's data: 12 bytes, or 16 with its optional signature.
std::int64_t DescriptorLength(TStream& archive, std::int64_t position) {
    std::uint8_t start[4] = {};
    archive.Seek(position, soFromBeginning);
    return archive.Read(start, 4) == 4 && Get32(start) == DescriptorSignature ? 16 : 12;
}

} // namespace

void TZipper::ProcessOldEntries(Build& build) {
    for (int index = 0; index < Count(); ++index) {
        FileComment(index); // a comment not read yet is read now, to be written again
        const TZipHeaderInfo& old = Entry(index);
        const std::string oldName = old.Directory() + old.Filename();
        const auto match =
            std::find_if(FilesList.begin(), FilesList.end(), [&](const std::string& item) {
                return SameStoredName(StoredName(item), oldName);
            });
        if (match == FilesList.end()) {
            CopyOldEntry(build, old);
            continue;
        }
        const std::string fileName = *match;
        FilesList.erase(match);
        bool replace = ZipAction == TZipAction::zaReplace;
        if (!replace) {
            // Zip times count in steps of two seconds: a file written within the same two
            // seconds as the entry may still be the newer one, so only an entry that is
            // strictly newer than the file is kept.
            const auto fileTime = FileDateTime(fileName);
            replace = fileTime && *fileTime >= ValidateDosDateTime(old.DateTime);
        }
        if (replace) {
            if (OnUpdate) {
                OnUpdate(TUpdateAction::uaReplacing, index);
            }
            if (AddFile(build, fileName)) {
                continue;
            }
            // The file could not be taken after all: the old entry stays rather than being lost.
        } else {
            if (OnUpdate) {
                OnUpdate(TUpdateAction::uaKeeping, index);
            }
            if (Dispose) {
                build.toDispose.push_back(fileName);
            }
        }
        CopyOldEntry(build, old);
    }
}

// A new local header from the entry's central record (with the old local extra length),
// then the old extra field, data and data descriptor byte for byte.
void TZipper::CopyOldEntry(Build& build, const TZipHeaderInfo& old) {
    TStream& archive = Archive();
    std::uint8_t fixed[LocalHeaderFixedSize];
    archive.Seek(old.RelativeOffset, soFromBeginning);
    if (archive.Read(fixed, sizeof fixed) != sizeof fixed || Get32(fixed) != LocalSignature()) {
        throw EBadZipFile(msg::NotAZipFile);
    }
    const std::int64_t extraStart = old.RelativeOffset + LocalHeaderFixedSize + Get16(&fixed[26]);
    const std::uint16_t extraLength = Get16(&fixed[28]);
    std::int64_t count = extraLength + static_cast<std::int64_t>(old.CompressedSize);
    if (old.HasDescriptor()) {
        count += DescriptorLength(archive, extraStart + count);
    }

    auto entry = std::make_unique<TZipHeaderInfo>();
    entry->Assign(old);
    entry->OEMConvert = old.OEMConvert;
    entry->LocalExtraLength = extraLength;
    TZipOutput& output = *build.output;
    entry->DiskNumberStart = static_cast<std::uint16_t>(output.CurrentDisk());
    if (output.Position() + entry->LocalSize() + count > 0xFFFFFFFFLL) {
        throw Exception("The archive would exceed 4 GB, more than a zip archive can address.");
    }
    entry->SaveLocalToStream(output.Stream());
    archive.Seek(extraStart, soFromBeginning);
    output.Stream().CopyFrom(archive, count);
    CheckCancel();
    AddEntry(build, std::move(entry));
}

} // namespace duebell::zip
