#include "zip/endcentral.h"

#include "zip/littleendian.h"
#include "zip/zipsignatures.h"

#include <algorithm>
#include <array>
#include <vector>

namespace duebell::zip {

void TEndCentral::Clear() {
    Signature = EndSignature();
    ThisDisk = 0;
    StartDisk = 0;
    EntriesThisDisk = 0;
    TotalEntries = 0;
    DirectorySize = 0;
    DirectoryOffset = 0;
    CommentLength = 0;
    CommentPosition = 0;
    Modified = false;
    comment_.reset();
}

void TEndCentral::Assign(const TEndCentral& source) {
    if (&source == this) {
        return;
    }
    *this = source;
    if (comment_) {
        CommentLength = static_cast<std::uint16_t>(comment_->size());
    }
}

void TEndCentral::SetZipComment(const std::string& comment) {
    comment_ = comment.substr(0, 0xFFFF);
    CommentLength = static_cast<std::uint16_t>(comment_->size());
}

void TEndCentral::SaveToStream(TStream& stream) const {
    std::array<std::uint8_t, EndCentralFixedSize> b{};
    Put32(&b[0], Signature);
    Put16(&b[4], ThisDisk);
    Put16(&b[6], StartDisk);
    Put16(&b[8], EntriesThisDisk);
    Put16(&b[10], TotalEntries);
    Put32(&b[12], DirectorySize);
    Put32(&b[16], DirectoryOffset);
    const bool withComment = CommentLength > 0 && comment_.has_value();
    Put16(&b[20], withComment ? static_cast<std::uint16_t>(comment_->size()) : 0);
    stream.WriteBuffer(b.data(), std::ssize(b));
    if (withComment) {
        stream.WriteBuffer(comment_->data(), std::ssize(*comment_));
    }
}

bool TEndCentral::FindEndCentral(TStream& stream) {
    const std::int64_t size = stream.Size();
    if (size < EndCentralFixedSize) {
        return size == 0;
    }
    const std::int64_t span = std::min<std::int64_t>(size, EndCentralSearchSpan);
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(span));
    stream.Seek(size - span, soFromBeginning);
    if (stream.Read(tail.data(), span) != span) {
        return false;
    }
    const std::uint32_t signature = EndSignature();
    const std::uint8_t low = EndSignatureLowByte();
    for (std::int64_t i = span - EndCentralFixedSize; i >= 0; --i) {
        const std::uint8_t* p = tail.data() + i;
        if (*p != low || Get32(p) != signature) {
            continue;
        }
        Signature = signature;
        ThisDisk = Get16(p + 4);
        StartDisk = Get16(p + 6);
        EntriesThisDisk = Get16(p + 8);
        TotalEntries = Get16(p + 10);
        DirectorySize = Get32(p + 12);
        DirectoryOffset = Get32(p + 16);
        CommentLength = Get16(p + 20);
        CommentPosition = size - span + i + EndCentralFixedSize;
        comment_.reset();
        return true;
    }
    return false;
}

} // namespace duebell::zip
