#include "support/archivebuilder.h"

#include "zip/crc32.h"
#include "zip/endcentral.h"
#include "zip/stream.h"
#include "zip/zipheaderinfo.h"

#include <memory>

namespace duebell::zip::ziptest {

RawEntry StoredEntry(const std::string& name, const std::string& content) {
    return MethodEntry(name, 0, 0, content, content);
}

RawEntry MethodEntry(const std::string& name, std::uint16_t method, std::uint16_t flags,
                     const std::string& compressed, const std::string& content) {
    RawEntry entry;
    entry.name = name;
    entry.method = method;
    entry.flags = flags;
    entry.data = compressed;
    entry.crc = Crc32(content);
    entry.size = static_cast<std::uint32_t>(content.size());
    return entry;
}

std::string BuildArchive(const std::vector<RawEntry>& entries, const std::string& zipComment) {
    TMemoryStream out;
    std::vector<std::unique_ptr<TZipHeaderInfo>> headers;
    for (const RawEntry& raw : entries) {
        auto header = std::make_unique<TZipHeaderInfo>();
        const std::size_t slash = raw.name.rfind('/');
        header->SetDirectory(slash == std::string::npos ? "" : raw.name.substr(0, slash + 1));
        header->SetFilename(slash == std::string::npos ? raw.name : raw.name.substr(slash + 1));
        header->VersionNeeded = raw.method == 8 ? 20 : 10;
        header->Flags = raw.flags;
        header->CompressionMethod = raw.method;
        header->DateTime = raw.dosDateTime;
        header->CRC32 = raw.crc;
        header->CompressedSize = static_cast<std::uint32_t>(raw.data.size());
        header->UncompressedSize = raw.size;
        header->ExternalAttributes = raw.externalAttributes;
        if (!raw.comment.empty()) {
            header->SetFileComment(raw.comment);
        }
        header->SaveLocalToStream(out);
        out.WriteBuffer(raw.data.data(), std::ssize(raw.data));
        headers.push_back(std::move(header));
    }
    TEndCentral end;
    end.DirectoryOffset = static_cast<std::uint32_t>(out.Position());
    for (const auto& header : headers) {
        header->SaveCentralToStream(out);
    }
    end.DirectorySize = static_cast<std::uint32_t>(out.Position() - end.DirectoryOffset);
    end.EntriesThisDisk = static_cast<std::uint16_t>(headers.size());
    end.TotalEntries = end.EntriesThisDisk;
    if (!zipComment.empty()) {
        end.SetZipComment(zipComment);
    }
    end.SaveToStream(out);
    const auto& bytes = out.Data();
    return std::string(bytes.begin(), bytes.end());
}

std::uint32_t Read32(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<std::size_t>(i)));
    }
    return v;
}

void Write32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(offset + static_cast<std::size_t>(i)) = static_cast<char>(value >> (8 * i));
    }
}

void Write16(std::string& bytes, std::size_t offset, std::uint16_t value) {
    bytes.at(offset) = static_cast<char>(value);
    bytes.at(offset + 1) = static_cast<char>(value >> 8);
}

std::size_t EndRecordOffset(const std::string& archive) {
    return archive.rfind(std::string("PK\x05\x06", 4));
}

std::size_t CentralDirectoryOffset(const std::string& archive) {
    return Read32(archive, EndRecordOffset(archive) + 16);
}

} // namespace duebell::zip::ziptest
