// The end-of-central-directory record: where the directory is, how many entries it has,
// and the archive's comment.
#pragma once

#include "zip/stream.h"

#include <cstdint>
#include <optional>
#include <string>

namespace duebell::zip {

inline constexpr int EndCentralFixedSize = 22;
// The fixed record plus the longest comment a 16-bit length allows.
inline constexpr int EndCentralSearchSpan = EndCentralFixedSize + 0xFFFF;

class TEndCentral {
public:
    TEndCentral() { Clear(); }

    void Clear();
    // Copies every field; a comment text is copied with its length taken from it.
    void Assign(const TEndCentral& source);
    void AssignTo(TEndCentral& target) const { target.Assign(*this); }

    // Writes the 22 fixed bytes, then the comment when there is one.
    void SaveToStream(TStream& stream) const;
    // Looks for the record in the last 65557 bytes of the stream; the highest signature
    // whose 22 bytes fit wins. An empty stream counts as found (an empty archive) and leaves
    // the record as it was. The comment text is not read here: see CommentPosition.
    bool FindEndCentral(TStream& stream);

    bool HasZipComment() const { return CommentLength > 0; }
    std::int64_t EndCentralSize() const { return EndCentralFixedSize + CommentLength; }
    const std::optional<std::string>& ZipComment() const { return comment_; }
    void SetZipComment(const std::string& comment);

    std::uint32_t Signature;
    std::uint16_t ThisDisk;
    std::uint16_t StartDisk;
    std::uint16_t EntriesThisDisk;
    std::uint16_t TotalEntries;
    std::uint32_t DirectorySize;
    std::uint32_t DirectoryOffset;
    std::uint16_t CommentLength;
    // Where the zip comment starts: just behind the fixed bytes of the record as found.
    std::int64_t CommentPosition;
    // Set when the zip comment or an entry comment was changed.
    bool Modified;

private:
    std::optional<std::string> comment_;
};

} // namespace duebell::zip
