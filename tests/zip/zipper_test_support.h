// Helpers of the zip writer tests: the central records of a written archive read field by
// field, file times, and the black-box checks by Debian's unzip and Python's zipfile.
#pragma once

#include "support/archivebuilder.h"
#include "support/testfiles.h"
#include "zip/zipper.h"

#include <ctime>
#include <map>
#include <string>
#include <sys/time.h>
#include <vector>

namespace duebell::zip::ziptest {

struct CentralRecord {
    std::uint16_t madeBy, needed, flags, method;
    std::uint32_t dosDateTime, crc, compressedSize, size;
    std::uint16_t internalAttributes;
    std::uint32_t externalAttributes, localOffset;
    std::string name, comment;
};

inline std::uint16_t Read16(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

// The central directory of a single-file archive, in the order written.
inline std::vector<CentralRecord> CentralRecords(const std::string& archive) {
    std::vector<CentralRecord> records;
    const std::size_t end = EndRecordOffset(archive);
    const unsigned count = Read16(archive, end + 10);
    std::size_t at = Read32(archive, end + 16);
    for (unsigned i = 0; i < count; ++i) {
        CentralRecord r{};
        r.madeBy = Read16(archive, at + 4);
        r.needed = Read16(archive, at + 6);
        r.flags = Read16(archive, at + 8);
        r.method = Read16(archive, at + 10);
        r.dosDateTime = Read32(archive, at + 12);
        r.crc = Read32(archive, at + 16);
        r.compressedSize = Read32(archive, at + 20);
        r.size = Read32(archive, at + 24);
        const std::size_t nameLength = Read16(archive, at + 28);
        const std::size_t extraLength = Read16(archive, at + 30);
        const std::size_t commentLength = Read16(archive, at + 32);
        r.internalAttributes = Read16(archive, at + 36);
        r.externalAttributes = Read32(archive, at + 38);
        r.localOffset = Read32(archive, at + 42);
        r.name = archive.substr(at + 46, nameLength);
        r.comment = archive.substr(at + 46 + nameLength + extraLength, commentLength);
        records.push_back(r);
        at += 46 + nameLength + extraLength + commentLength;
    }
    return records;
}

inline std::vector<std::string> RecordNames(const std::string& archive) {
    std::vector<std::string> names;
    for (const auto& r : CentralRecords(archive))
        names.push_back(r.name);
    return names;
}

// Zips the files into the archive with the zipper's settings; the count zipped.
inline int ZipInto(TZipper& zipper, const std::string& archive, std::vector<std::string> files) {
    zipper.SetZipName(archive);
    zipper.FilesList = std::move(files);
    return zipper.Zip();
}

inline int ZipInto(const std::string& archive, std::vector<std::string> files) {
    TZipper zipper;
    return ZipInto(zipper, archive, std::move(files));
}

// Sets a file's modification time (seconds since 1970).
inline void SetModified(const std::string& fileName, std::time_t when) {
    const struct timeval times[2] = {{when, 0}, {when, 0}};
    ::utimes(fileName.c_str(), times);
}

// Debian's unzip tests every entry (CRC included); true when it reports no error.
inline bool UnzipTestPasses(const std::string& archive, const std::string& password = "") {
    const std::string passwordOption = password.empty() ? "" : "-P " + Quote(password) + " ";
    return RunCommand("unzip -tqq " + passwordOption + Quote(archive) + " > /dev/null 2>&1") == 0;
}

// Python's zipfile reads every listed entry and finds exactly the expected bytes (the
// contents of the given files), and the archive holds no other entries.
inline bool PythonExtractsExactly(const std::string& archive,
                                  const std::map<std::string, std::string>& entryToFile,
                                  const std::string& password = "") {
    std::vector<std::string> arguments{archive, password};
    for (const auto& [entry, file] : entryToFile) {
        arguments.push_back(entry);
        arguments.push_back(file);
    }
    return RunPython(R"(
import sys, zipfile
archive, password, pairs = sys.argv[1], sys.argv[2], sys.argv[3:]
expected = dict(zip(pairs[0::2], pairs[1::2]))
with zipfile.ZipFile(archive) as z:
    if password:
        z.setpassword(password.encode())
    names = z.namelist()
    if sorted(names) != sorted(expected):
        sys.exit('entries ' + repr(names))
    for name, file in expected.items():
        if z.read(name) != open(file, 'rb').read():
            sys.exit('different: ' + name)
)",
                     arguments) == 0;
}

} // namespace duebell::zip::ziptest
