#include "deflate_test_support.h"
#include "support/scriptedzipcallbacks.h"
#include "support/throws.h"
#include "zip/zipexceptions.h"
#include "zip/zipper.h"
#include "zipper_test_support.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using ziptest::CentralRecords;
using ziptest::PythonExtractsExactly;
using ziptest::ReadFile;
using ziptest::TempFolder;
using ziptest::ThrowsWithMessage;
using ziptest::UnzipTestPasses;
using ziptest::WriteFile;
using ziptest::ZipInto;

TEST(ZipperCreate, TwoFilesWithTheDefaultsBecomeTwoDeflatedEntriesWithBareNames) {
    TempFolder folder;
    WriteFile(folder / "MV_DATA.XML", ziptest::SampleLoanBook(40000, 1));
    WriteFile(folder / "MV_CONFIG.XML", ziptest::SampleLoanBook(3000, 2));
    TZipper zipper;
    zipper.SetZipName(folder / "export.mvd");
    zipper.OverwriteMode = TUZOverwriteMode::Always;
    zipper.FilesList = {folder / "MV_DATA.XML", folder / "MV_CONFIG.XML"};

    EXPECT_EQ(zipper.Zip(), 2);
    EXPECT_TRUE(zipper.FilesList.empty());
    const auto records = CentralRecords(ReadFile(folder / "export.mvd"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "MV_DATA.XML");
    EXPECT_EQ(records[1].name, "MV_CONFIG.XML");
    for (const auto& r : records) {
        EXPECT_EQ(r.method, 8);
        EXPECT_EQ(r.flags, 0);
        EXPECT_EQ(r.needed, 20);
        EXPECT_EQ(r.madeBy, 20);
        EXPECT_EQ(r.externalAttributes, 0x20u);
        EXPECT_EQ(r.internalAttributes, 1); // text
        EXPECT_LT(r.compressedSize, r.size / 3);
    }
    EXPECT_EQ(records[0].localOffset, 0u);
    // The component's list now describes the new archive.
    ASSERT_EQ(zipper.Count(), 2);
    EXPECT_EQ(zipper.Filename(1), "MV_CONFIG.XML");
    EXPECT_TRUE(UnzipTestPasses(folder / "export.mvd"));
    EXPECT_TRUE(PythonExtractsExactly(
        folder / "export.mvd",
        {{"MV_DATA.XML", folder / "MV_DATA.XML"}, {"MV_CONFIG.XML", folder / "MV_CONFIG.XML"}}));
}

TEST(ZipperCreate, LevelZeroAndNoCompressMasksStore) {
    TempFolder folder;
    WriteFile(folder / "notes.txt", ziptest::SampleText(5000, 3));
    WriteFile(folder / "photo.jpg", ziptest::SampleText(5000, 4));
    TZipper zipper;
    zipper.NoCompressList = {"*.JPG"};
    EXPECT_EQ(ZipInto(zipper, folder / "a.zip", {folder / "notes.txt", folder / "photo.jpg"}), 2);
    auto records = CentralRecords(ReadFile(folder / "a.zip"));
    EXPECT_EQ(records[0].method, 8);
    EXPECT_EQ(records[1].method, 0);
    EXPECT_EQ(records[1].internalAttributes, 0);
    EXPECT_EQ(records[1].compressedSize, 5000u);

    zipper.PackLevel = 0;
    EXPECT_EQ(ZipInto(zipper, folder / "b.zip", {folder / "notes.txt", folder / "photo.jpg"}), 2);
    for (const auto& r : CentralRecords(ReadFile(folder / "b.zip"))) {
        EXPECT_EQ(r.method, 0);
        EXPECT_EQ(r.internalAttributes, 0);
        EXPECT_EQ(r.compressedSize, r.size);
    }
    EXPECT_TRUE(UnzipTestPasses(folder / "a.zip"));
    EXPECT_TRUE(UnzipTestPasses(folder / "b.zip"));
}

TEST(ZipperCreate, LevelFlagsAndTextAttributeFollowTheData) {
    TempFolder folder;
    WriteFile(folder / "text.xml", ziptest::SampleLoanBook(20000, 5));
    WriteFile(folder / "noise.bin", ziptest::RandomBytes(20000, 6));
    const std::uint16_t expectedFlags[10] = {0, 4, 4, 0, 0, 0, 0, 0, 2, 2};
    for (int level = 1; level <= 9; ++level) {
        TZipper zipper;
        zipper.PackLevel = level;
        ZipInto(zipper, folder / ("level" + std::to_string(level) + ".zip"),
                {folder / "text.xml", folder / "noise.bin"});
        const auto records = CentralRecords(ReadFile(zipper.ZipName()));
        EXPECT_EQ(records[0].flags, expectedFlags[level]) << "level " << level;
        EXPECT_EQ(records[0].internalAttributes, 1);
        EXPECT_EQ(records[1].internalAttributes, 0);
    }
}

// Every kind of input at every level: Debian's unzip tests each archive and Python's zipfile
// extracts each entry to the very bytes zipped.
void CheckCorpusAtEveryLevel(const std::string& password) {
    TempFolder folder;
    std::map<std::string, std::string> expected;
    std::vector<std::string> files;
    for (const auto& [name, bytes] : testing::deflateCorpus()) {
        const std::string fileName = folder / (name + ".dat");
        WriteFile(fileName, std::string(bytes.begin(), bytes.end()));
        expected[name + ".dat"] = fileName;
        files.push_back(fileName);
    }
    for (int level = 1; level <= 9; ++level) {
        TZipper zipper;
        const std::string archive = folder / ("level" + std::to_string(level) + ".zip");
        zipper.PackLevel = level;
        zipper.Password = password;
        EXPECT_EQ(ZipInto(zipper, archive, files), static_cast<int>(files.size()));
        for (const auto& r : CentralRecords(ReadFile(archive)))
            EXPECT_EQ(r.flags & 1, password.empty() ? 0 : 1);
        EXPECT_TRUE(UnzipTestPasses(archive, password)) << archive;
        EXPECT_TRUE(PythonExtractsExactly(archive, expected, password)) << archive;
    }
    if (!password.empty()) {
        EXPECT_FALSE(UnzipTestPasses(folder / "level6.zip", "wrong"));
    }
}

TEST(ZipperCreate, EveryLevelPassesUnzipAndPython) {
    CheckCorpusAtEveryLevel("");
}

TEST(ZipperCreate, EveryLevelEncryptedPassesUnzipAndPython) {
    CheckCorpusAtEveryLevel("Secret pass 7");
}

TEST(ZipperCreate, MissingFilesAreReportedAndNotCounted) {
    TempFolder folder;
    WriteFile(folder / "here.txt", "present");
    TZipper zipper;
    std::vector<std::string> missing;
    zipper.OnNoSuchFile = [&](const std::string& name) { missing.push_back(name); };
    EXPECT_EQ(ZipInto(zipper, folder / "a.zip", {folder / "here.txt", folder / "gone.txt"}), 1);
    EXPECT_EQ(missing, std::vector<std::string>{folder / "gone.txt"});
    EXPECT_EQ(ziptest::RecordNames(ReadFile(folder / "a.zip")),
              std::vector<std::string>{"here.txt"});
}

TEST(ZipperCreate, PathSettingsAreLinked) {
    TZipper zipper;
    zipper.SetRelativePaths(true);
    EXPECT_TRUE(zipper.StorePaths());
    EXPECT_TRUE(zipper.Recurse);
    zipper.SetStorePaths(false);
    EXPECT_FALSE(zipper.RelativePaths());
    zipper.SetStoreVolumes(true);
    EXPECT_TRUE(zipper.StorePaths());
    zipper.SetStorePaths(false);
    EXPECT_FALSE(zipper.StoreVolumes());
}

TEST(ZipperCreate, StoredPathsAreRelativeAndMasksSearchFolders) {
    TempFolder folder;
    WriteFile(folder / "data/a.xml", "<a/>");
    WriteFile(folder / "data/sub/b.xml", "<b/>");
    WriteFile(folder / "data/sub/skip.xml", "<skip/>");
    WriteFile(folder / "data/c.txt", "c");

    TZipper relative;
    relative.SetRootDir(folder / "data");
    relative.SetRelativePaths(true);
    relative.ExcludeList = {"skip*"};
    EXPECT_EQ(ZipInto(relative, folder / "data/relative.zip", {folder / "data/*.xml"}), 2);
    EXPECT_EQ(ziptest::RecordNames(ReadFile(folder / "data/relative.zip")),
              (std::vector<std::string>{"a.xml", "sub/b.xml"}));

    // Full paths lose their leading "/": a stored name is never absolute.
    TZipper full;
    full.SetStorePaths(true);
    EXPECT_EQ(ZipInto(full, folder / "full.zip", {folder / "data/c.txt"}), 1);
    EXPECT_EQ(ziptest::RecordNames(ReadFile(folder / "full.zip")),
              std::vector<std::string>{(folder / "data/c.txt").substr(1)});

    // Without stored paths a mask does not search below its folder unless asked ("|", ">").
    EXPECT_EQ(
        ZipInto(folder / "flat.zip", {">" + folder / "data/*.xml", "|" + folder / "data/*.txt"}),
        4);
    EXPECT_EQ(ziptest::RecordNames(ReadFile(folder / "flat.zip")),
              (std::vector<std::string>{"a.xml", "b.xml", "skip.xml", "c.txt"}));
}

TEST(ZipperCreate, FolderEntriesAndDuplicateNames) {
    TempFolder folder;
    WriteFile(folder / "one/same.txt", "first");
    WriteFile(folder / "two/same.txt", "second");
    TZipper zipper;
    std::vector<std::pair<TSkipReason, std::string>> skipped;
    zipper.OnSkippingFile = [&](TSkipReason reason, const std::string& name, int index, bool&) {
        skipped.emplace_back(reason, name);
        EXPECT_EQ(index, -1);
    };
    EXPECT_EQ(ZipInto(zipper, folder / "a.zip", {folder / "one/same.txt", folder / "two/same.txt"}),
              1);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].first, TSkipReason::srNoOverwrite);
    EXPECT_EQ(skipped[0].second, folder / "two/same.txt");

    TZipper withFolders;
    withFolders.SetRootDir(folder.Path());
    withFolders.SetRelativePaths(true);
    EXPECT_EQ(ZipInto(withFolders, folder / "b.zip", {folder / "one/", folder / "one/same.txt"}),
              2);
    const auto records = CentralRecords(ReadFile(folder / "b.zip"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "one/");
    EXPECT_EQ(records[0].externalAttributes, 0x10u);
    EXPECT_EQ(records[0].size, 0u);
    EXPECT_EQ(records[1].name, "one/same.txt");
    EXPECT_TRUE(UnzipTestPasses(folder / "b.zip"));
}

TEST(ZipperCreate, EventsReportTheWorkAndCanStopIt) {
    TempFolder folder;
    WriteFile(folder / "a.txt", ziptest::SampleText(70000, 1));
    WriteFile(folder / "b.txt", ziptest::SampleText(100, 2));
    TZipper zipper;
    std::vector<std::string> log;
    zipper.OnStartZipInfo = [&](int files, std::int64_t bytes, TEndCentral&, bool&) {
        log.push_back("info " + std::to_string(files) + " " + std::to_string(bytes));
    };
    zipper.OnStartZip = [&](const std::string& name, TZipHeaderInfo& entry, bool& skip) {
        log.push_back("start " + entry.Filename());
        skip = name == folder / "b.txt";
    };
    zipper.OnEndZip = [&](const std::string&, std::int64_t size, std::int64_t packed,
                          std::int64_t total) {
        log.push_back("end " + std::to_string(size));
        EXPECT_LT(packed, size);
        EXPECT_GT(total, packed);
    };
    int lastTotal = -1;
    zipper.OnTotalPercentDone = [&](int percent) {
        EXPECT_GE(percent, lastTotal);
        lastTotal = percent;
    };
    zipper.OnZipComplete = [&](int count) { log.push_back("complete " + std::to_string(count)); };
    EXPECT_EQ(ZipInto(zipper, folder / "a.zip", {folder / "a.txt", folder / "b.txt"}), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"info 2 70100", "start a.txt", "end 70000",
                                             "start b.txt", "complete 1"}));
    EXPECT_EQ(lastTotal, 100);

    TZipper stopped;
    stopped.OnStartZipInfo = [](int, std::int64_t, TEndCentral&, bool& stop) { stop = true; };
    stopped.SetZipName(folder / "stopped.zip");
    stopped.FilesList = {folder / "a.txt"};
    EXPECT_TRUE(
        ThrowsWithMessage<EUserCanceled>([&] { stopped.Zip(); }, "User canceled Zip operation"));
    EXPECT_FALSE(ziptest::PathExists(folder / "stopped.zip"));
    EXPECT_TRUE(stopped.FilesList.empty());
}

TEST(ZipperCreate, CancelWhileWritingLeavesNothingBehind) {
    TempFolder folder;
    WriteFile(folder / "big.bin", ziptest::RandomBytes(300000, 9));
    ziptest::ScriptedZipCallbacks callbacks;
    TZipper zipper(&callbacks);
    callbacks.onProcessMessages = [&] {
        if (callbacks.processMessagesCalls == 20)
            zipper.Cancel();
    };
    zipper.SetZipName(folder / "a.zip");
    zipper.FilesList = {folder / "big.bin"};
    EXPECT_TRUE(ThrowsWithMessage<EUserCanceled>([&] { zipper.Zip(); }, "User Aborted Operation"));
    EXPECT_EQ(ziptest::ListTree(folder.Path()), std::vector<std::string>{"big.bin"});
    EXPECT_FALSE(zipper.Busy());
}

TEST(ZipperCreate, DisposeDeletesTheSourcesOnlyAfterSuccessUnlessTheOwnerKeepsOne) {
    TempFolder folder;
    WriteFile(folder / "a.txt", "a");
    WriteFile(folder / "b.txt", "b");
    TZipper zipper;
    zipper.Dispose = true;
    zipper.OnDisposeFile = [&](const std::string& name, bool& skip) {
        skip = name == folder / "b.txt";
    };
    zipper.OnEndZip = [](const std::string& name, std::int64_t, std::int64_t, std::int64_t) {
        if (name.ends_with("fail.txt"))
            throw std::runtime_error("stop");
    };
    WriteFile(folder / "fail.txt", "f");
    EXPECT_THROW(ZipInto(zipper, folder / "failed.zip", {folder / "a.txt", folder / "fail.txt"}),
                 std::runtime_error);
    EXPECT_TRUE(ziptest::PathExists(folder / "a.txt")); // nothing deleted by a failed Zip

    EXPECT_EQ(ZipInto(zipper, folder / "a.zip", {folder / "a.txt", folder / "b.txt"}), 2);
    EXPECT_FALSE(ziptest::PathExists(folder / "a.txt"));
    EXPECT_TRUE(ziptest::PathExists(folder / "b.txt"));
}

TEST(ZipperCreate, SpanningRemovableDisksIsRefused) {
    TempFolder folder;
    WriteFile(folder / "a.txt", "a");
    TZipper zipper;
    zipper.SetMultiMode(TMultiMode::mmSpan);
    EXPECT_THROW(ZipInto(zipper, folder / "a.zip", {folder / "a.txt"}), Exception);
    EXPECT_EQ(ziptest::ListTree(folder.Path()), std::vector<std::string>{"a.txt"});
}

} // namespace
} // namespace duebell::zip
