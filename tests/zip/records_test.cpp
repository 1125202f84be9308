// Archive records: the bytes written for an entry and an end record, reading them back,
// date-time validation, the search for the end record and the orders of the entry list.
#include "support/throws.h"
#include "zip/dosdatetime.h"
#include "zip/endcentral.h"
#include "zip/sortedzip.h"
#include "zip/zipexceptions.h"
#include "zip/zipheaderinfo.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using ziptest::ThrowsWithMessage;

std::string Bytes(const TMemoryStream& stream) {
    return std::string(stream.Data().begin(), stream.Data().end());
}

TZipHeaderInfo SampleEntry() {
    TZipHeaderInfo entry;
    entry.SetDirectory("d");
    entry.SetFilename("a.txt");
    entry.DateTime = 0x5A8C6000; // 12/04/2025 12:00:00
    entry.CRC32 = 0x12345678;
    entry.CompressedSize = 0x10;
    entry.UncompressedSize = 0x20;
    return entry;
}

// The other defaults (versions, method, attributes) show in the bytes worked by hand below.
TEST(ZipHeaderInfo, ANewEntryHasNoCrcYetAndNoOemNames) {
    const TZipHeaderInfo entry;
    EXPECT_EQ(entry.CRC32, 0xFFFFFFFFu);
    EXPECT_FALSE(entry.OEMConvert);
}

TEST(ZipHeaderInfo, LocalHeaderBytesWorkedByHand) {
    TZipHeaderInfo entry = SampleEntry();
    TMemoryStream out;
    out.WriteBuffer("xyz", 3);
    entry.SaveLocalToStream(out);
    const std::string expected =
        std::string("xyz") + std::string("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10) +
        std::string("\x00\x60\x8C\x5A\x78\x56\x34\x12", 8) +
        std::string("\x10\x00\x00\x00\x20\x00\x00\x00\x07\x00\x00\x00", 12) + "d/a.txt";
    EXPECT_EQ(Bytes(out), expected);
    EXPECT_EQ(entry.RelativeOffset, 3u);
    EXPECT_EQ(entry.LocalSize(), 37);
}

TEST(ZipHeaderInfo, CentralRecordBytesWorkedByHandAndReadBack) {
    TZipHeaderInfo entry = SampleEntry();
    entry.RelativeOffset = 0x01020304;
    entry.SetFileComment(std::string("hi"));
    TMemoryStream out;
    entry.SaveCentralToStream(out);
    const std::string expected =
        std::string("PK\x01\x02\x14\x00\x14\x00\x00\x00\x08\x00", 12) +
        std::string("\x00\x60\x8C\x5A\x78\x56\x34\x12\x10\x00\x00\x00\x20\x00\x00\x00", 16) +
        std::string("\x07\x00\x00\x00\x02\x00\x00\x00\x01\x00\x20\x00\x00\x00\x04\x03\x02\x01",
                    18) +
        "d/a.txthi";
    EXPECT_EQ(Bytes(out), expected);
    EXPECT_EQ(entry.CentralSize(), 46 + 7 + 2);

    TMemoryStream in(out.Data());
    TZipHeaderInfo read;
    ASSERT_TRUE(read.ReadCentralFromStream(in));
    EXPECT_EQ(read.Directory(), "d/");
    EXPECT_EQ(read.Filename(), "a.txt");
    EXPECT_EQ(read.RelativeOffset, 0x01020304u);
    EXPECT_EQ(read.FileCommentLength, 2);
    EXPECT_FALSE(read.FileComment().has_value()); // read on demand
    EXPECT_EQ(read.CentralOffset, 0);
    EXPECT_EQ(in.Position(), 46 + 7); // behind the name
}

TEST(ZipHeaderInfo, BackslashesAreFolderSeparatorsBothWays) {
    TZipHeaderInfo entry;
    entry.SetDirectory("dir\\sub\\");
    entry.SetFilename("a.txt");
    EXPECT_EQ(entry.StoredName(), "dir/sub/a.txt");
    TMemoryStream stream;
    entry.SaveLocalToStream(stream);
    // A name stored with backslashes reads with "/" as well.
    std::string image(stream.Data().begin(), stream.Data().end());
    image.replace(30, 13, "dir\\sub\\a.txt");
    TMemoryStream in(image.data(), image.size());
    TZipHeaderInfo read;
    ASSERT_TRUE(read.ReadLocalFromStream(in));
    EXPECT_EQ(read.Directory(), "dir/sub/");
    EXPECT_EQ(read.Filename(), "a.txt");
}

TEST(ZipHeaderInfo, OemNamesOnlyFromDosHostsAndNeverWhenFlaggedUtf8) {
    TZipHeaderInfo entry;
    entry.OEMConvert = true;
    entry.SetFilename("\u00e9t\u00e9.txt"); // "été.txt"
    EXPECT_EQ(entry.StoredName(), "\x82t\x82.txt");
    EXPECT_EQ(entry.FilenameLength(), 7);
    TMemoryStream out;
    entry.SaveCentralToStream(out);
    std::string image(out.Data().begin(), out.Data().end());

    auto readWithHost = [&](int host, std::uint16_t flags) {
        std::string copy = image;
        copy[5] = static_cast<char>(host);
        copy[8] = static_cast<char>(flags & 0xFF);
        copy[9] = static_cast<char>(flags >> 8);
        TMemoryStream in(copy.data(), copy.size());
        TZipHeaderInfo read;
        read.OEMConvert = true;
        EXPECT_TRUE(read.ReadCentralFromStream(in));
        return read;
    };
    EXPECT_EQ(readWithHost(0, 0).Filename(), "\u00e9t\u00e9.txt");
    const TZipHeaderInfo fromUnix = readWithHost(3, 0);
    EXPECT_EQ(fromUnix.Filename(), "\x82t\x82.txt");
    EXPECT_EQ(fromUnix.StoredName(), "\x82t\x82.txt"); // written back as it was read
    EXPECT_EQ(readWithHost(0, FlagUtf8Name).Filename(), "\x82t\x82.txt");
}

TEST(ZipHeaderInfo, ABadRecordLeavesTheStreamWhereItWas) {
    TMemoryStream in;
    in.WriteBuffer("PK\x01\x02 too short", 14);
    in.SetPosition(0);
    TZipHeaderInfo entry;
    EXPECT_FALSE(entry.ReadCentralFromStream(in));
    EXPECT_EQ(in.Position(), 0);
    EXPECT_FALSE(entry.ReadLocalFromStream(in));
    EXPECT_EQ(in.Position(), 0);
}

TEST(ZipHeaderInfo, ACentralRecordCutByTheEndOfADiskContinuesOnTheNext) {
    TZipHeaderInfo entry = SampleEntry();
    TMemoryStream whole;
    entry.SaveCentralToStream(whole);
    const auto& bytes = whole.Data();
    TMemoryStream first(bytes.data(), 20);
    TMemoryStream second(bytes.data() + 20, bytes.size() - 20);
    int asked = 0;
    TZipHeaderInfo read;
    ASSERT_TRUE(read.ReadCentralFromStream(first, [&]() -> TStream& {
        ++asked;
        return second;
    }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(read.Filename(), "a.txt");
    EXPECT_EQ(read.CRC32, 0x12345678u);
}

TEST(DosDateTime, ImpossibleFieldsAreClamped) {
    // 2025, month 0, day 0, 31:00:00 -> 1 January 2025 23:00:00.
    EXPECT_EQ(ValidateDosDateTime(0x5A00F800), 0x5A21B800u);
    // Seconds stored as 30 (60 s) become 58 s.
    EXPECT_EQ(ValidateDosDateTime(0x5A21001E), 0x5A21001Du);
    // Year 2107 becomes 2099, minute 63 becomes 59.
    EXPECT_EQ(ValidateDosDateTime(0xFE2107E0), 0xEE210760u);
    EXPECT_EQ(ValidateDosDateTime(0x5A8C6000), 0x5A8C6000u);
    // Reading a header validates.
    TZipHeaderInfo entry = SampleEntry();
    entry.DateTime = 0x5A00F800;
    TMemoryStream out;
    entry.SaveLocalToStream(out);
    out.SetPosition(0);
    TZipHeaderInfo read;
    ASSERT_TRUE(read.ReadLocalFromStream(out));
    EXPECT_EQ(read.DateTime, 0x5A21B800u);
}

TEST(DosDateTime, DayNumbersSince30December1899) {
    EXPECT_DOUBLE_EQ(DosDateTimeToDateTime(0x5A8C6000).value, 45759.5); // 12/04/2025 12:00
    EXPECT_DOUBLE_EQ(DosDateTimeToDateTime(0x00210000).value, 29221.0); // 01/01/1980
}

TEST(EndCentral, RecordBytesAndSize) {
    TEndCentral end;
    end.EntriesThisDisk = 2;
    end.TotalEntries = 2;
    end.DirectorySize = 0x5C;
    end.DirectoryOffset = 0x1234;
    end.SetZipComment("c!");
    TMemoryStream out;
    end.SaveToStream(out);
    EXPECT_EQ(Bytes(out), std::string("PK\x05\x06\x00\x00\x00\x00\x02\x00\x02\x00\x5C\x00\x00\x00"
                                      "\x34\x12\x00\x00\x02\x00",
                                      22) +
                              "c!");
    EXPECT_EQ(end.EndCentralSize(), 24);
}

TEST(EndCentral, ShortAndEmptyFiles) {
    TEndCentral end;
    end.TotalEntries = 7;
    TMemoryStream empty;
    EXPECT_TRUE(end.FindEndCentral(empty));
    EXPECT_EQ(end.TotalEntries, 7); // left as it was
    TMemoryStream shortFile(std::string(21, 'P').data(), 21);
    EXPECT_FALSE(end.FindEndCentral(shortFile));
    TEndCentral blank;
    TMemoryStream only;
    blank.SaveToStream(only);
    EXPECT_TRUE(end.FindEndCentral(only));
    EXPECT_EQ(end.TotalEntries, 0);
    EXPECT_EQ(end.CommentPosition, 22);
}

TEST(EndCentral, TheSearchTakesTheLastRecordThatFits) {
    TEndCentral real;
    real.TotalEntries = 3;
    // A comment that holds a signature too near the end for a whole record behind it.
    real.SetZipComment(std::string("xxPK\x05\x06yyyy", 10));
    TMemoryStream out;
    // A fake record before the real one is never reached either.
    TEndCentral fake;
    fake.TotalEntries = 9;
    fake.SaveToStream(out);
    out.WriteBuffer("data", 4);
    real.SaveToStream(out);
    TEndCentral found;
    ASSERT_TRUE(found.FindEndCentral(out));
    EXPECT_EQ(found.TotalEntries, 3);
    EXPECT_EQ(found.CommentLength, 10);
    EXPECT_EQ(found.CommentPosition, 22 + 4 + 22);
    EXPECT_FALSE(found.ZipComment().has_value());
}

// Entries with a name, a date, sizes and a place.
TZipHeaderInfo* Entry(const std::string& name, std::uint32_t date, std::uint32_t compressed,
                      std::uint32_t size, std::uint32_t offset) {
    auto* entry = new TZipHeaderInfo;
    const std::size_t slash = name.rfind('/');
    entry->SetDirectory(slash == std::string::npos ? "" : name.substr(0, slash + 1));
    entry->SetFilename(slash == std::string::npos ? name : name.substr(slash + 1));
    entry->DateTime = date;
    entry->CompressedSize = compressed;
    entry->UncompressedSize = size;
    entry->RelativeOffset = offset;
    return entry;
}

std::vector<std::string> Names(const TSortedZip& list) {
    std::vector<std::string> names;
    for (const TZipHeaderInfo* entry : list) {
        names.push_back(entry->Directory() + entry->Filename());
    }
    return names;
}

TSortedZip& Fill(TSortedZip& list) {
    list.Add(Entry("b.txt", 200, 50, 100, 300));
    list.Add(Entry("A.txt", 100, 90, 100, 100));
    list.Add(Entry("c/a.txt", 200, 10, 1000, 200));
    list.Add(Entry("a.TXT", 300, 50, 100, 0));
    list.Add(Entry("d.txt", 100, 0, 0, 400));
    return list;
}

TEST(SortedZip, EveryOrder) {
    using V = std::vector<std::string>;
    auto sorted = [](TZipSortMode mode) {
        TSortedZip list(TDuplicates::Accept);
        list.SortMode = mode;
        return Names(Fill(list));
    };
    EXPECT_EQ(sorted(TZipSortMode::ByNone), (V{"a.TXT", "A.txt", "c/a.txt", "b.txt", "d.txt"}));
    EXPECT_EQ(sorted(TZipSortMode::ByName), (V{"A.txt", "a.TXT", "b.txt", "c/a.txt", "d.txt"}));
    EXPECT_EQ(sorted(TZipSortMode::ByFileName), (V{"A.txt", "c/a.txt", "a.TXT", "b.txt", "d.txt"}));
    EXPECT_EQ(sorted(TZipSortMode::ByDirectoryName),
              (V{"b.txt", "A.txt", "a.TXT", "d.txt", "c/a.txt"}));
    // Newest first; equal keys keep the order in which they were added.
    EXPECT_EQ(sorted(TZipSortMode::ByDate), (V{"a.TXT", "b.txt", "c/a.txt", "A.txt", "d.txt"}));
    EXPECT_EQ(sorted(TZipSortMode::ByCompressedSize),
              (V{"A.txt", "b.txt", "a.TXT", "c/a.txt", "d.txt"}));
    EXPECT_EQ(sorted(TZipSortMode::ByUnCompressedSize),
              (V{"c/a.txt", "b.txt", "A.txt", "a.TXT", "d.txt"}));
    // Rates: b 50, A 90, c/a 1, a 50, d 0 (no size).
    EXPECT_EQ(sorted(TZipSortMode::ByRate), (V{"A.txt", "b.txt", "a.TXT", "c/a.txt", "d.txt"}));
}

TEST(SortedZip, DuplicatePolicies) {
    TSortedZip ignoring(TDuplicates::Ignore);
    Fill(ignoring);
    EXPECT_EQ(ignoring.Add(Entry("again.txt", 0, 0, 0, 100)), -1);
    EXPECT_EQ(ignoring.Count(), 5);

    TSortedZip refusing(TDuplicates::Error);
    Fill(refusing);
    EXPECT_TRUE(ThrowsWithMessage<EListError>(
        [&] { refusing.Add(Entry("again.txt", 0, 0, 0, 100)); }, "Duplicate Object index"));
    EXPECT_EQ(refusing.Count(), 5);
    EXPECT_THROW(refusing.Put(0, nullptr), EListError);
}

TEST(SortedZip, WalkingAndSharing) {
    TSortedZip owner(TDuplicates::Ignore);
    Fill(owner);
    TSortedZip view(TDuplicates::Accept, false);
    view.SortMode = TZipSortMode::ByName;
    for (TZipHeaderInfo* entry : owner) {
        view.Add(entry);
    }
    EXPECT_EQ(view.Next(nullptr), view.First());
    EXPECT_EQ(view.Next(view.Last()), nullptr);
    EXPECT_EQ(view.Prior(view.Items(1)), view.Items(0));
    TZipHeaderInfo stranger;
    EXPECT_TRUE(ThrowsWithMessage<EListError>([&] { view.Next(&stranger); },
                                              "tObject TZipHeaderInfo not in item list"));
    EXPECT_THROW(view.Items(5), EListError);
    EXPECT_EQ(view.IndexOf(owner.Items(3)), 2); // b.txt
}

} // namespace
} // namespace duebell::zip
