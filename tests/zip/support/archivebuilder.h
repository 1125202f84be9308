// Builds small archives byte by byte for the tests: entries with any method, flags and
// (already compressed) data, so that methods no tool writes and broken archives can be
// made. Uses the library's record writers; the results are checked by Debian's unzip.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace duebell::zip::ziptest {

struct RawEntry {
    std::string name; // as stored, "/" between folders
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::string data; // the compressed bytes as stored
    std::uint32_t crc = 0;
    std::uint32_t size = 0;                 // uncompressed
    std::uint32_t dosDateTime = 0x5A8C6000; // 12/04/2025 12:00:00
    std::uint32_t externalAttributes = 0x20;
    std::string comment;
};

// A stored entry for the content, with its CRC and size.
RawEntry StoredEntry(const std::string& name, const std::string& content);
// The entry with its data compressed by a test encoder (the CRC and size from content).
RawEntry MethodEntry(const std::string& name, std::uint16_t method, std::uint16_t flags,
                     const std::string& compressed, const std::string& content);

std::string BuildArchive(const std::vector<RawEntry>& entries, const std::string& zipComment = "");

// Little-endian field access in an archive image.
std::uint32_t Read32(const std::string& bytes, std::size_t offset);
void Write32(std::string& bytes, std::size_t offset, std::uint32_t value);
void Write16(std::string& bytes, std::size_t offset, std::uint16_t value);
// Offset of the end record (its signature) in an archive image, or npos.
std::size_t EndRecordOffset(const std::string& archive);
// Offset of the first central record.
std::size_t CentralDirectoryOffset(const std::string& archive);

} // namespace duebell::zip::ziptest
