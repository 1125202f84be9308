#include "zip/zipheaderinfo.h"

#include "zip/dosdatetime.h"
#include "zip/littleendian.h"
#include "zip/oemcodepage.h"
#include "zip/zipexceptions.h"
#include "zip/zipsignatures.h"

#include <algorithm>
#include <array>

namespace duebell::zip {

namespace {

constexpr int HostMsDos = 0;

bool PrefixMatchesSignature(const std::uint8_t* bytes, std::int64_t count, std::uint32_t sig) {
    for (std::int64_t i = 0; i < std::min<std::int64_t>(count, 4); ++i) {
        if (bytes[i] != static_cast<std::uint8_t>(sig >> (8 * i))) {
            return false;
        }
    }
    return true;
}

} // namespace

void TZipHeaderInfo::Clear() {
    VersionMadeBy = 20;
    VersionNeeded = 20;
    Flags = 0;
    CompressionMethod = 8;
    DateTime = 0;
    CRC32 = 0xFFFFFFFF;
    CompressedSize = 0;
    UncompressedSize = 0;
    CentralExtraLength = 0;
    LocalExtraLength = 0;
    FileCommentLength = 0;
    DiskNumberStart = 0;
    InternalAttributes = 1;
    ExternalAttributes = 0x20;
    RelativeOffset = 0;
    CentralOffset = 0;
    Selected = false;
    OEMConvert = false;
    filename_.clear();
    directory_.clear();
    comment_.reset();
    rawName_ = false;
}

void TZipHeaderInfo::Assign(const TZipHeaderInfo& source) {
    if (&source == this) {
        return;
    }
    const bool oem = OEMConvert;
    *this = source;
    OEMConvert = oem;
    if (source.FileCommentLength == 0) {
        comment_.reset();
    }
}

void TZipHeaderInfo::SetFilename(const std::string& name) {
    filename_ = name;
    rawName_ = false;
}

void TZipHeaderInfo::SetDirectory(const std::string& directory) {
    directory_ = directory;
    std::replace(directory_.begin(), directory_.end(), '\\', '/');
    if (!directory_.empty() && directory_.back() != '/') {
        directory_ += '/';
    }
    rawName_ = false;
}

std::string TZipHeaderInfo::StoredName() const {
    std::string name = directory_ + filename_;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (OEMConvert && !rawName_ && (Flags & FlagUtf8Name) == 0) {
        return Utf8ToOem(name);
    }
    return name;
}

std::uint16_t TZipHeaderInfo::FilenameLength() const {
    return static_cast<std::uint16_t>(std::min<std::size_t>(StoredName().size(), 0xFFFF));
}

void TZipHeaderInfo::SetFileComment(std::optional<std::string> comment) {
    comment_ = std::move(comment);
    FileCommentLength =
        comment_ ? static_cast<std::uint16_t>(std::min<std::size_t>(comment_->size(), 0xFFFF)) : 0;
    if (comment_) {
        comment_->resize(FileCommentLength);
    }
}

void TZipHeaderInfo::WriteName(TStream& stream) const {
    const std::string name = StoredName();
    stream.WriteBuffer(name.data(), std::ssize(name));
}

void TZipHeaderInfo::SaveCentralToStream(TStream& stream) {
    const std::string name = StoredName();
    if (name.size() > 0xFFFF) {
        throw Exception("The name \"" + name + "\" is too long for an archive");
    }
    std::array<std::uint8_t, CentralRecordFixedSize> b{};
    Put32(&b[0], CentralSignature());
    Put16(&b[4], VersionMadeBy);
    Put16(&b[6], VersionNeeded);
    Put16(&b[8], Flags);
    Put16(&b[10], CompressionMethod);
    Put32(&b[12], DateTime);
    Put32(&b[16], CRC32);
    Put32(&b[20], CompressedSize);
    Put32(&b[24], UncompressedSize);
    Put16(&b[28], static_cast<std::uint16_t>(name.size()));
    Put16(&b[30], CentralExtraLength);
    const bool withComment = FileCommentLength > 0 && comment_.has_value();
    Put16(&b[32], withComment ? FileCommentLength : 0);
    Put16(&b[34], DiskNumberStart);
    Put16(&b[36], InternalAttributes);
    Put32(&b[38], ExternalAttributes);
    Put32(&b[42], RelativeOffset);
    stream.WriteBuffer(b.data(), std::ssize(b));
    stream.WriteBuffer(name.data(), std::ssize(name));
    if (withComment) {
        stream.WriteBuffer(comment_->data(), FileCommentLength);
    }
}

void TZipHeaderInfo::SaveLocalToStream(TStream& stream) {
    const std::string name = StoredName();
    if (name.size() > 0xFFFF) {
        throw Exception("The name \"" + name + "\" is too long for an archive");
    }
    RelativeOffset = static_cast<std::uint32_t>(stream.Position());
    std::array<std::uint8_t, LocalHeaderFixedSize> b{};
    Put32(&b[0], LocalSignature());
    Put16(&b[4], VersionNeeded);
    Put16(&b[6], Flags);
    Put16(&b[8], CompressionMethod);
    Put32(&b[10], DateTime);
    Put32(&b[14], CRC32);
    Put32(&b[18], CompressedSize);
    Put32(&b[22], UncompressedSize);
    Put16(&b[26], static_cast<std::uint16_t>(name.size()));
    Put16(&b[28], LocalExtraLength);
    stream.WriteBuffer(b.data(), std::ssize(b));
    stream.WriteBuffer(name.data(), std::ssize(name));
}

void TZipHeaderInfo::SetStoredName(std::string_view stored, bool convertFromOem) {
    std::string name = convertFromOem ? OemToUtf8(stored) : std::string(stored);
    std::replace(name.begin(), name.end(), '\\', '/');
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) {
        directory_.clear();
        filename_ = name;
    } else {
        directory_ = name.substr(0, slash + 1);
        filename_ = name.substr(slash + 1);
    }
    rawName_ = !convertFromOem;
}

bool TZipHeaderInfo::ReadCentralFromStream(TStream& stream, const TNextDiskRoutine& nextDisk) {
    TStream* source = &stream;
    const std::int64_t start = source->Position();
    std::array<std::uint8_t, CentralRecordFixedSize> b{};
    std::int64_t got = source->Read(b.data(), std::ssize(b));
    bool switched = false;
    if (nextDisk && got < std::ssize(b) &&
        PrefixMatchesSignature(b.data(), got, CentralSignature())) {
        source = &nextDisk();
        switched = true;
        got += source->Read(b.data() + got, std::ssize(b) - got);
    }
    auto fail = [&] {
        if (!switched) {
            source->Seek(start, soFromBeginning);
        }
        return false;
    };
    if (got != std::ssize(b) || Get32(&b[0]) != CentralSignature()) {
        return fail();
    }
    const std::uint16_t nameLength = Get16(&b[28]);
    std::string stored(nameLength, '\0');
    if (source->Read(stored.data(), nameLength) != nameLength) {
        return fail();
    }
    VersionMadeBy = Get16(&b[4]);
    VersionNeeded = Get16(&b[6]);
    Flags = Get16(&b[8]);
    CompressionMethod = Get16(&b[10]);
    DateTime = ValidateDosDateTime(Get32(&b[12]));
    CRC32 = Get32(&b[16]);
    CompressedSize = Get32(&b[20]);
    UncompressedSize = Get32(&b[24]);
    CentralExtraLength = Get16(&b[30]);
    FileCommentLength = Get16(&b[32]);
    DiskNumberStart = Get16(&b[34]);
    InternalAttributes = Get16(&b[36]);
    ExternalAttributes = Get32(&b[38]);
    RelativeOffset = Get32(&b[42]);
    LocalExtraLength = 0;
    CentralOffset = start;
    comment_.reset();
    Selected = false;
    const bool fromOem =
        OEMConvert && (VersionMadeBy >> 8) == HostMsDos && (Flags & FlagUtf8Name) == 0;
    SetStoredName(stored, fromOem);
    return true;
}

bool TZipHeaderInfo::ReadLocalFromStream(TStream& stream) {
    const std::int64_t start = stream.Position();
    std::array<std::uint8_t, LocalHeaderFixedSize> b{};
    if (stream.Read(b.data(), std::ssize(b)) != std::ssize(b) || Get32(&b[0]) != LocalSignature()) {
        stream.Seek(start, soFromBeginning);
        return false;
    }
    const std::uint16_t nameLength = Get16(&b[26]);
    std::string stored(nameLength, '\0');
    if (stream.Read(stored.data(), nameLength) != nameLength) {
        stream.Seek(start, soFromBeginning);
        return false;
    }
    VersionMadeBy = 0;
    VersionNeeded = Get16(&b[4]);
    Flags = Get16(&b[6]);
    CompressionMethod = Get16(&b[8]);
    DateTime = ValidateDosDateTime(Get32(&b[10]));
    CRC32 = Get32(&b[14]);
    CompressedSize = Get32(&b[18]);
    UncompressedSize = Get32(&b[22]);
    LocalExtraLength = Get16(&b[28]);
    FileCommentLength = 0;
    DiskNumberStart = 0;
    InternalAttributes = 0;
    ExternalAttributes = 0;
    CentralOffset = 0;
    RelativeOffset = static_cast<std::uint32_t>(start);
    comment_.reset();
    SetStoredName(stored, OEMConvert && (Flags & FlagUtf8Name) == 0);
    return true;
}

} // namespace duebell::zip
