#include "support/scriptedzipcallbacks.h"
#include "support/throws.h"
#include "zip/zipexceptions.h"
#include "zip/zipper.h"
#include "zipper_test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace duebell::zip {
namespace {

using ziptest::CentralRecords;
using ziptest::PythonExtractsExactly;
using ziptest::ReadFile;
using ziptest::RecordNames;
using ziptest::SetModified;
using ziptest::TempFolder;
using ziptest::ThrowsWithMessage;
using ziptest::UnzipTestPasses;
using ziptest::WriteFile;
using ziptest::ZipInto;

constexpr std::time_t Year2020 = 1577880000; // 01/01/2020 12:00:00 UTC
constexpr std::time_t Year2024 = 1704110400; // 01/01/2024 12:00:00 UTC

void WriteDated(const std::string& fileName, const std::string& content, std::time_t when) {
    WriteFile(fileName, content);
    SetModified(fileName, when);
}

// The archive a.zip with a, b and c of 2020, in that order.
void MakeOldArchive(const TempFolder& folder) {
    WriteDated(folder / "a.txt", "old a", Year2020);
    WriteDated(folder / "b.txt", "old b", Year2020);
    WriteDated(folder / "c.txt", "old c", Year2020);
    ASSERT_EQ(ZipInto(folder / "a.zip", {folder / "a.txt", folder / "b.txt", folder / "c.txt"}), 3);
}

TEST(ZipperUpdate, NewerFilesReplaceOlderOnesAreKeptOthersCarriedAndNewAdded) {
    TempFolder folder;
    MakeOldArchive(folder);
    WriteDated(folder / "a.txt", "new a, newer", Year2024);
    WriteDated(folder / "b.txt", "new b, but dated before the entry", Year2020 - 86400);
    WriteDated(folder / "d.txt", "d is new", Year2024);

    ::chmod((folder / "a.zip").c_str(), 0640);
    TZipper zipper;
    std::vector<std::pair<TUpdateAction, int>> updates;
    zipper.OnUpdate = [&](TUpdateAction action, int index) { updates.emplace_back(action, index); };
    EXPECT_EQ(
        ZipInto(zipper, folder / "a.zip", {folder / "a.txt", folder / "b.txt", folder / "d.txt"}),
        2);
    EXPECT_EQ(updates, (std::vector<std::pair<TUpdateAction, int>>{{TUpdateAction::uaReplacing, 0},
                                                                   {TUpdateAction::uaKeeping, 1}}));
    EXPECT_EQ(RecordNames(ReadFile(folder / "a.zip")),
              (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt"}));
    WriteFile(folder / "expected_b", "old b");
    WriteFile(folder / "expected_c", "old c");
    EXPECT_TRUE(PythonExtractsExactly(folder / "a.zip", {{"a.txt", folder / "a.txt"},
                                                         {"b.txt", folder / "expected_b"},
                                                         {"c.txt", folder / "expected_c"},
                                                         {"d.txt", folder / "d.txt"}}));
    EXPECT_TRUE(UnzipTestPasses(folder / "a.zip"));
    EXPECT_EQ(zipper.Count(), 4);
    struct stat info {};
    ASSERT_EQ(::stat((folder / "a.zip").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // the replaced archive keeps its permissions
}

TEST(ZipperUpdate, AFileWrittenWithinTheSameTwoSecondsStillReplacesItsEntry) {
    TempFolder folder;
    // 12:00:00.0 and 12:00:01 share one two-second step of zip time.
    WriteDated(folder / "MV_DATA.XML", "<first/>", Year2020);
    ASSERT_EQ(ZipInto(folder / "export.mvd", {folder / "MV_DATA.XML"}), 1);
    WriteDated(folder / "MV_DATA.XML", "<second, written a second later/>", Year2020 + 1);
    EXPECT_EQ(ZipInto(folder / "export.mvd", {folder / "MV_DATA.XML"}), 1);
    EXPECT_TRUE(
        PythonExtractsExactly(folder / "export.mvd", {{"MV_DATA.XML", folder / "MV_DATA.XML"}}));

    // The same file again, unchanged: replaced by the same bytes, still one entry.
    EXPECT_EQ(ZipInto(folder / "export.mvd", {folder / "MV_DATA.XML"}), 1);
    EXPECT_EQ(RecordNames(ReadFile(folder / "export.mvd")),
              std::vector<std::string>{"MV_DATA.XML"});
}

TEST(ZipperUpdate, ReplaceTakesOlderFilesAndFreshenAddsNothingNew) {
    TempFolder folder;
    MakeOldArchive(folder);
    WriteDated(folder / "b.txt", "older b replaces anyway", Year2020 - 86400);
    TZipper replace;
    replace.ZipAction = TZipAction::zaReplace;
    EXPECT_EQ(ZipInto(replace, folder / "a.zip", {folder / "b.txt"}), 1);

    WriteDated(folder / "c.txt", "fresher c", Year2024);
    WriteDated(folder / "e.txt", "not in the archive", Year2024);
    TZipper freshen;
    freshen.ZipAction = TZipAction::zaFreshen;
    EXPECT_EQ(ZipInto(freshen, folder / "a.zip", {folder / "c.txt", folder / "e.txt"}), 1);
    WriteFile(folder / "expected_a", "old a");
    EXPECT_TRUE(PythonExtractsExactly(folder / "a.zip", {{"a.txt", folder / "expected_a"},
                                                         {"b.txt", folder / "b.txt"},
                                                         {"c.txt", folder / "c.txt"}}));
}

// An archive of Debian's zip carries extra fields; with an entry comment and a zip comment
// set here, the carried entries keep extra field, comment and data byte for byte.
TEST(ZipperUpdate, CarriedEntriesKeepExtraFieldsAndComments) {
    TempFolder folder;
    WriteFile(folder / "x.txt", ziptest::SampleText(3000, 1));
    WriteFile(folder / "y.txt", ziptest::SampleText(2000, 2));
    ASSERT_EQ(ziptest::RunCommand("cd " + ziptest::Quote(folder.Path()) +
                                  " && zip -q tool.zip x.txt y.txt"),
              0);
    TZipper zipper;
    zipper.SetZipName(folder / "tool.zip");
    zipper.OpenArchive();
    zipper.SetFileComment(0, "comment on x");
    zipper.SetZipComment("the archive's comment");
    WriteFile(folder / "z.txt", "added");
    zipper.FilesList = {folder / "z.txt"};
    EXPECT_EQ(zipper.Zip(), 1);

    const std::string archive = folder / "tool.zip";
    EXPECT_TRUE(UnzipTestPasses(archive));
    EXPECT_TRUE(PythonExtractsExactly(
        archive,
        {{"x.txt", folder / "x.txt"}, {"y.txt", folder / "y.txt"}, {"z.txt", folder / "z.txt"}}));
    EXPECT_EQ(ziptest::RunPython(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
x, y, added = z.infolist()
assert x.comment == b'comment on x', x.comment
assert y.comment == b''
assert len(x.extra) > 0 and len(y.extra) > 0 and added.extra == b''
assert z.comment == b"the archive's comment", z.comment
)",
                                 {archive}),
              0);
}

// Debian's zip writing to a pipe puts sizes and CRC in a data descriptor behind the data
// (flag bit 3); a carried entry keeps its descriptor.
TEST(ZipperUpdate, CarriedEntriesKeepTheirDataDescriptors) {
    TempFolder folder;
    WriteFile(folder / "x.txt", ziptest::SampleText(5000, 3));
    ASSERT_EQ(ziptest::RunCommand("cd " + ziptest::Quote(folder.Path()) +
                                  " && zip -q - x.txt | cat > piped.zip"),
              0);
    ASSERT_EQ(CentralRecords(ReadFile(folder / "piped.zip"))[0].flags & 8, 8);
    WriteFile(folder / "y.txt", "added");
    EXPECT_EQ(ZipInto(folder / "piped.zip", {folder / "y.txt"}), 1);
    EXPECT_TRUE(UnzipTestPasses(folder / "piped.zip"));
    EXPECT_TRUE(PythonExtractsExactly(folder / "piped.zip",
                                      {{"x.txt", folder / "x.txt"}, {"y.txt", folder / "y.txt"}}));
}

// A file meant to replace an entry but skipped by the owner leaves the entry in place.
TEST(ZipperUpdate, AReplacementThatIsSkippedKeepsTheOldEntry) {
    TempFolder folder;
    MakeOldArchive(folder);
    WriteDated(folder / "a.txt", "new a, skipped", Year2024);
    TZipper zipper;
    zipper.OnStartZip = [](const std::string&, TZipHeaderInfo&, bool& skip) { skip = true; };
    EXPECT_EQ(ZipInto(zipper, folder / "a.zip", {folder / "a.txt"}), 0);
    WriteFile(folder / "expected_a", "old a");
    WriteFile(folder / "expected_b", "old b");
    WriteFile(folder / "expected_c", "old c");
    EXPECT_TRUE(PythonExtractsExactly(folder / "a.zip", {{"a.txt", folder / "expected_a"},
                                                         {"b.txt", folder / "expected_b"},
                                                         {"c.txt", folder / "expected_c"}}));
}

// Every way an update can fail before its end leaves the old archive exactly as it was, and
// no temporary file behind.
TEST(ZipperUpdate, AFailureMidUpdateLeavesTheOriginalIntact) {
    TempFolder folder;
    MakeOldArchive(folder);
    const std::string before = ReadFile(folder / "a.zip");
    WriteDated(folder / "a.txt", "new a", Year2024);
    WriteDated(folder / "d.txt", "new d", Year2024);
    const auto tree = ziptest::ListTree(folder.Path());

    TZipper throwing;
    throwing.OnEndZip = [](const std::string&, std::int64_t, std::int64_t, std::int64_t) {
        throw std::runtime_error("disk trouble");
    };
    EXPECT_THROW(ZipInto(throwing, folder / "a.zip", {folder / "a.txt", folder / "d.txt"}),
                 std::runtime_error);
    EXPECT_EQ(ReadFile(folder / "a.zip"), before);
    EXPECT_EQ(ziptest::ListTree(folder.Path()), tree);

    ziptest::ScriptedZipCallbacks callbacks;
    TZipper cancelled(&callbacks);
    callbacks.onProcessMessages = [&] { cancelled.Cancel(); };
    EXPECT_THROW(ZipInto(cancelled, folder / "a.zip", {folder / "a.txt", folder / "d.txt"}),
                 EUserCanceled);
    EXPECT_EQ(ReadFile(folder / "a.zip"), before);
    EXPECT_EQ(ziptest::ListTree(folder.Path()), tree);

    // A damaged old archive: copying its last entry fails.
    std::string damaged = before;
    const auto records = CentralRecords(before);
    damaged[records[2].localOffset] = 'X'; // c.txt's local header no longer has its signature
    WriteFile(folder / "a.zip", damaged);
    EXPECT_THROW(ZipInto(folder / "a.zip", {folder / "d.txt"}), EBadZipFile);
    EXPECT_EQ(ReadFile(folder / "a.zip"), damaged);
}

TEST(ZipperUpdate, AnArchiveThatCannotBeReplacedRaises) {
    TempFolder folder;
    WriteFile(folder / "a.txt", "a");
    WriteFile(folder / "taken/inside.txt", "a folder already holds the archive's name");
    EXPECT_THROW(ZipInto(folder / "taken", {folder / "a.txt"}), EStreamError);
    EXPECT_EQ(ziptest::ListTree(folder.Path()),
              (std::vector<std::string>{"a.txt", "taken/", "taken/inside.txt"}));
}

TEST(ZipperUpdate, AFileThatIsNoArchiveIsLeftAloneAndAnEmptyOneIsAnEmptyArchive) {
    TempFolder folder;
    WriteFile(folder / "a.txt", "a");
    WriteFile(folder / "letter.mvd", "Dear client, this is not an archive at all.");
    EXPECT_TRUE(ThrowsWithMessage<EIncompleteZip>(
        [&] { ZipInto(folder / "letter.mvd", {folder / "a.txt"}); }, "Incomplete Zip File"));
    EXPECT_EQ(ReadFile(folder / "letter.mvd"), "Dear client, this is not an archive at all.");

    WriteFile(folder / "empty.mvd", "");
    EXPECT_EQ(ZipInto(folder / "empty.mvd", {folder / "a.txt"}), 1);
    EXPECT_TRUE(PythonExtractsExactly(folder / "empty.mvd", {{"a.txt", folder / "a.txt"}}));
}

} // namespace
} // namespace duebell::zip
