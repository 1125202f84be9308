#include "zip/zipexceptions.h"
#include "zip/zipper.h"
#include "zipper_test_support.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using ziptest::ReadFile;
using ziptest::TempFolder;
using ziptest::WriteFile;

struct BlockArchive {
    std::vector<std::string> files; // the sources
    std::string lastPart;
    int result = 0;
};

BlockArchive WriteBlocks(const TempFolder& folder, std::int64_t first, std::int64_t block,
                         bool zfc = false) {
    BlockArchive archive;
    WriteFile(folder / "noise.bin", ziptest::RandomBytes(150000, 1));
    WriteFile(folder / "book.xml", ziptest::SampleLoanBook(200000, 2));
    WriteFile(folder / "note.txt", "a short note");
    archive.files = {folder / "noise.bin", folder / "book.xml", folder / "note.txt"};
    TZipper zipper;
    zipper.SetMultiMode(TMultiMode::mmBlocks);
    zipper.MultiZipInfo.FirstBlockSize = first;
    zipper.MultiZipInfo.BlockSize = block;
    zipper.MultiZipInfo.SaveZipInfoOnFirstDisk = zfc;
    zipper.TempPath = folder.Path();
    zipper.SetZipName(folder / "b.zip");
    zipper.FilesList = archive.files;
    archive.result = zipper.Zip();
    archive.lastPart = zipper.ZipName();
    return archive;
}

// Python joins the parts, finds each entry by its disk and offset, and inflates it with zlib.
bool PythonReadsTheParts(const std::vector<std::string>& parts,
                         const std::vector<std::string>& files) {
    std::vector<std::string> arguments{std::to_string(parts.size())};
    arguments.insert(arguments.end(), parts.begin(), parts.end());
    arguments.insert(arguments.end(), files.begin(), files.end());
    return ziptest::RunPython(R"(
import os, struct, sys, zlib
count = int(sys.argv[1])
parts = [open(p, 'rb').read() for p in sys.argv[2:2 + count]]
files = {os.path.basename(f): open(f, 'rb').read() for f in sys.argv[2 + count:]}
base = [sum(len(p) for p in parts[:i]) for i in range(count)]
data = b''.join(parts)
last = parts[-1]
end = last.rindex(b'PK\x05\x06')
this_disk, start_disk, here, total, size, offset = struct.unpack('<HHHHII', last[end + 4:end + 20])
assert this_disk == count - 1, this_disk
at = base[start_disk] + offset
found = {}
for _ in range(total):
    assert data[at:at + 4] == b'PK\x01\x02'
    method, crc, csize, usize, n, e, c, disk = struct.unpack('<H4xIIIHHHH', data[at + 10:at + 36])
    local = base[disk] + struct.unpack('<I', data[at + 42:at + 46])[0]
    name = data[at + 46:at + 46 + n].decode()
    assert data[local:local + 4] == b'PK\x03\x04'
    ln, le = struct.unpack('<HH', data[local + 26:local + 30])
    raw = data[local + 30 + ln + le:local + 30 + ln + le + csize]
    content = raw if method == 0 else zlib.decompress(raw, -15)
    assert zlib.crc32(content) == crc and len(content) == usize, name
    found[name] = content
    at += 46 + n + e + c
assert found == files, sorted(found)
)",
                              arguments) == 0;
}

std::vector<std::string> PartNames(const TempFolder& folder, int count) {
    std::vector<std::string> parts;
    for (int i = 1; i <= count; ++i) {
        char extension[16];
        std::snprintf(extension, sizeof extension, ".%03d", i);
        parts.push_back(folder / ("b" + std::string(extension)));
    }
    return parts;
}

TEST(ZipperBlocks, AnArchiveIsSplitIntoNumberedPartsOfTheGivenSizes) {
    TempFolder folder;
    const BlockArchive archive = WriteBlocks(folder, 30000, 40000);
    EXPECT_EQ(archive.result, 3);
    const std::string suffix = archive.lastPart.substr(archive.lastPart.size() - 4);
    const int count = std::stoi(suffix.substr(1));
    ASSERT_GE(count, 4);
    EXPECT_EQ(archive.lastPart, folder / ("b" + suffix));
    EXPECT_FALSE(ziptest::PathExists(folder / "b.zip"));
    const auto parts = PartNames(folder, count);
    for (int i = 0; i < count; ++i) {
        const std::size_t size = ReadFile(parts[i]).size();
        EXPECT_LE(size, i == 0 ? 30000u : 40000u) << parts[i];
        EXPECT_GT(size, 0u);
    }
    EXPECT_TRUE(PythonReadsTheParts(parts, archive.files));
    for (const std::string& name : ziptest::ListTree(folder.Path()))
        EXPECT_FALSE(name.ends_with(".tmp")) << "temporary data left: " << name;

    // Our own reader opens the last part and finds the others by their numbers.
    TUnZipper reader;
    reader.SetZipName(archive.lastPart);
    reader.SetDestDir(folder / "out");
    reader.DoAll = true;
    reader.OverwriteMode = TUZOverwriteMode::Always;
    EXPECT_EQ(reader.UnZip(), 3);
    for (const std::string& file : archive.files)
        EXPECT_EQ(ReadFile(folder / ("out/" + file.substr(file.rfind('/') + 1))), ReadFile(file));
}

TEST(ZipperBlocks, ASinglePartTakesTheArchiveName) {
    TempFolder folder;
    const BlockArchive archive = WriteBlocks(folder, 10'000'000, 10'000'000);
    EXPECT_EQ(archive.result, 3);
    EXPECT_EQ(archive.lastPart, folder / "b.zip");
    EXPECT_FALSE(ziptest::PathExists(folder / "b.001"));
    EXPECT_TRUE(ziptest::UnzipTestPasses(folder / "b.zip"));
}

TEST(ZipperBlocks, TheDirectoryIsAlsoSavedBesideTheFirstPart) {
    TempFolder folder;
    const BlockArchive archive = WriteBlocks(folder, 30000, 40000, true);
    const std::string zfc = ReadFile(folder / "b.zfc");
    std::string joined;
    const int count = std::stoi(archive.lastPart.substr(archive.lastPart.size() - 3));
    for (const std::string& part : PartNames(folder, count))
        joined += ReadFile(part);
    // The central directory and end record, exactly as they end the archive.
    ASSERT_GT(zfc.size(), 22u + 3 * 46u);
    EXPECT_EQ(joined.substr(joined.size() - zfc.size()), zfc);
    EXPECT_EQ(zfc.substr(0, 4), std::string("PK\x01\x02", 4));
}

TEST(ZipperBlocks, PartsTooSmallForOneHeaderAreRefused) {
    TempFolder folder;
    EXPECT_THROW(WriteBlocks(folder, 20, 20), ENotEnoughRoom);
    EXPECT_FALSE(ziptest::PathExists(folder / "b.001"));
    EXPECT_FALSE(ziptest::PathExists(folder / "b.zip"));
}

} // namespace
} // namespace duebell::zip
