// Broken and hostile archives: each gives its error, writes nothing outside the destination,
// leaves no partial file behind and never touches an existing file.
#include "support/archivebuilder.h"
#include "support/scriptedzipcallbacks.h"
#include "support/testfiles.h"
#include "support/throws.h"
#include "zip/crc32.h"
#include "zip/unzipper.h"
#include "zip/zipexceptions.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using namespace ziptest;

class HostileArchives : public ::testing::Test {
protected:
    // Writes the archive image and prepares an unzipper that extracts everything into out/.
    void Prepare(const std::string& image) {
        WriteFile(folder / "a.zip", image);
        unzipper.SetZipName(folder / "a.zip");
        unzipper.SetDestDir(folder / "out");
        unzipper.DoAll = true;
        unzipper.OverwriteMode = TUZOverwriteMode::Always;
        unzipper.OnSkippingFile = [this](TSkipReason reason, const std::string& name, int, bool&) {
            skipped.push_back({reason, name});
        };
        unzipper.OnBadCRC = [this](std::uint32_t calculated, std::uint32_t stored, int index) {
            badCrc.push_back({calculated, stored, index});
        };
    }
    // Raw deflate data made by Python's zlib.
    std::string Deflated(const std::string& pythonBytesExpression) {
        const std::string out = folder / "deflated.bin";
        EXPECT_EQ(RunPython("import sys, zlib\nc = zlib.compressobj(9, zlib.DEFLATED, -15)\n"
                            "open(sys.argv[1], 'wb').write(c.compress(" +
                                pythonBytesExpression + ") + c.flush())",
                            {out}),
                  0);
        return ReadFile(out);
    }
    // Everything in the test folder but the archive and its helper files.
    std::vector<std::string> Written() {
        std::vector<std::string> names;
        for (const std::string& name : ListTree(folder.Path())) {
            if (name != "a.zip" && name != "deflated.bin") {
                names.push_back(name);
            }
        }
        return names;
    }

    struct Skip {
        TSkipReason reason;
        std::string name;
        bool operator==(const Skip&) const = default;
    };
    struct BadCrc {
        std::uint32_t calculated, stored;
        int index;
        bool operator==(const BadCrc&) const = default;
    };

    TempFolder folder;
    ScriptedZipCallbacks callbacks;
    TUnZipper unzipper{&callbacks};
    std::vector<Skip> skipped;
    std::vector<BadCrc> badCrc;
};

TEST_F(HostileArchives, NoEndRecordIsAnIncompleteZipFileOrNoZipAtAll) {
    Prepare(SampleText(5000, 1));
    EXPECT_TRUE(
        ThrowsWithMessage<EIncompleteZip>([&] { unzipper.OpenArchive(); }, "Incomplete Zip File"));
    unzipper.OnInCompleteZip = [](TIncompleteZipMode& mode) {
        mode = TIncompleteZipMode::izAssumeNotAZip;
    };
    EXPECT_TRUE(
        ThrowsWithMessage<ENotAZipFile>([&] { unzipper.UnZip(); }, "Not a valid zip file!"));
    EXPECT_EQ(callbacks.busyDepth, 0);
    EXPECT_TRUE(Written().empty());
}

TEST_F(HostileArchives, TwentyOneBytesAreNoArchiveButAnEmptyFileIsAnEmptyOne) {
    Prepare(std::string(21, '\0'));
    EXPECT_THROW(unzipper.OpenArchive(), EIncompleteZip);
    unzipper.ClearZip();
    Prepare("");
    unzipper.OpenArchive();
    EXPECT_EQ(unzipper.Count(), 0);
    EXPECT_EQ(unzipper.UnZip(), 0);
}

TEST_F(HostileArchives, ATruncatedArchiveIsIncompleteAndItsCutEntryLeavesNoFile) {
    const std::string whole = BuildArchive({StoredEntry("first.txt", SampleText(3000, 1)),
                                            StoredEntry("second.txt", SampleText(50000, 2))});
    Prepare(whole.substr(0, 20000));
    EXPECT_THROW(unzipper.UnZip(), EIncompleteZip);
    EXPECT_TRUE(Written().empty());

    // Rebuilt from the local headers, the whole first entry comes out; the second ends early.
    unzipper.IncompleteZipMode = TIncompleteZipMode::izAssumeBad;
    EXPECT_TRUE(ThrowsWithMessage<EFatalUnzipError>([&] { unzipper.UnZip(); },
                                                    "Premature end of file reached"));
    EXPECT_EQ(Written(), (std::vector<std::string>{"out/", "out/first.txt"}));
    EXPECT_EQ(ReadFile(folder / "out/first.txt"), SampleText(3000, 1));
}

TEST_F(HostileArchives, ABadCrcLeavesNoFileAndTheOldFileUntouched) {
    std::string image = BuildArchive({StoredEntry("data.txt", "the right content")});
    image[30 + 8 + 4] ^= 0x20; // a byte of the stored data
    Prepare(image);
    WriteFile(folder / "out/data.txt", "the old file");
    EXPECT_EQ(unzipper.UnZip(), 0);
    ASSERT_EQ(badCrc.size(), 1u);
    EXPECT_EQ(badCrc[0], (BadCrc{Crc32("the Right content"), Crc32("the right content"), 0}));
    EXPECT_EQ(ReadFile(folder / "out/data.txt"), "the old file");
    EXPECT_EQ(Written(), (std::vector<std::string>{"out/", "out/data.txt"}));
}

TEST_F(HostileArchives, CorruptDeflateDataCountAsABadCrc) {
    std::string data = Deflated("b'abc' * 1000");
    data[0] = static_cast<char>(data[0] | 0x06); // block type 3 does not exist
    Prepare(BuildArchive({MethodEntry("x.txt", 8, 0, data, std::string(3000, 'a'))}));
    EXPECT_EQ(unzipper.UnZip(), 0);
    EXPECT_EQ(badCrc.size(), 1u);
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
}

TEST_F(HostileArchives, NamesReachingOutsideTheDestinationAreSkipped) {
    const std::vector<std::string> unsafe = {
        "../evil.txt",  "/abs.txt",    "a/../../up.txt", "..\\win.txt",
        "C:/drive.txt", "ctl\x01.txt", "tab\t.txt",      std::string("nul\0.txt", 8)};
    std::vector<RawEntry> entries;
    for (const std::string& name : unsafe) {
        entries.push_back(StoredEntry(name, "bad"));
    }
    entries.push_back(StoredEntry("sub/ok.txt", "good"));
    for (const bool recreate : {false, true}) {
        SCOPED_TRACE(recreate);
        skipped.clear();
        Prepare(BuildArchive(entries));
        unzipper.RecreateDirs = recreate;
        EXPECT_EQ(unzipper.UnZip(), 1);
        ASSERT_EQ(skipped.size(), unsafe.size());
        for (std::size_t i = 0; i < unsafe.size(); ++i) {
            EXPECT_EQ(skipped[i].reason, TSkipReason::srUnsafeName);
        }
        EXPECT_EQ(ReadFile(folder / (recreate ? "out/sub/ok.txt" : "out/ok.txt")), "good");
    }
    EXPECT_EQ(Written(),
              (std::vector<std::string>{"out/", "out/ok.txt", "out/sub/", "out/sub/ok.txt"}));
}

TEST_F(HostileArchives, ABombDeclaringASmallSizeIsStoppedAndLeavesNoFile) {
    const std::string data = Deflated("bytes(10 ** 7)");
    RawEntry bomb = MethodEntry("bomb.bin", 8, 0, data, std::string(1000, '\0'));
    Prepare(BuildArchive({bomb}));
    EXPECT_TRUE(ThrowsWithMessage<EBiggerThanUncompressed>(
        [&] { unzipper.UnZip(); }, "File is larger than uncompressed size!"));
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
}

TEST_F(HostileArchives, StoredDataLongerThanDeclaredAreStoppedToo) {
    RawEntry entry = StoredEntry("long.txt", std::string(100000, 'z'));
    entry.size = 10;
    Prepare(BuildArchive({entry}));
    EXPECT_THROW(unzipper.UnZip(), EBiggerThanUncompressed);
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
}

TEST_F(HostileArchives, DataEndingBeforeTheDeclaredSizeAreReportedSoAndLeaveNoFile) {
    // The CRCs agree (they are those of the data present); only the declared size is wrong.
    RawEntry stored = StoredEntry("short.txt", "only these bytes");
    std::string abc;
    for (int i = 0; i < 100; ++i)
        abc += "abc";
    RawEntry deflated = MethodEntry("short.bin", 8, 0, Deflated("b'abc' * 100"), abc);
    for (RawEntry entry : {stored, deflated}) {
        entry.size += 100;
        Prepare(BuildArchive({entry}));
        EXPECT_TRUE(ThrowsWithMessage<ESmallerThanUncompressed>(
            [&] { unzipper.UnZip(); }, "File is smaller than uncompressed size!"))
            << entry.name;
        EXPECT_TRUE(badCrc.empty());
        EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
    }
}

TEST_F(HostileArchives, EntriesSharingOrOverlappingTheirDataRefuseTheArchive) {
    const std::string image =
        BuildArchive({StoredEntry("a.txt", "aaaa"), StoredEntry("b.txt", "bbbb")});
    // The second central record follows the first (46 bytes and the 5 of its name); its local
    // header offset is 42 bytes in. The first entry's header and data take 30 + 5 + 4 bytes.
    const std::size_t secondOffset = CentralDirectoryOffset(image) + 46 + 5 + 42;
    ASSERT_EQ(Read32(image, secondOffset), 39u);
    for (std::uint32_t offset : {0u, 38u}) {
        std::string crafted = image;
        Write32(crafted, secondOffset, offset);
        Prepare(crafted);
        EXPECT_TRUE(ThrowsWithMessage<EBadZipFile>(
            [&] { unzipper.UnZip(); }, "Zip file has overlapped entries: \"a.txt\" and \"b.txt\""))
            << "offset " << offset;
        EXPECT_EQ(unzipper.ZipName(), "");
        EXPECT_TRUE(Written().empty());
    }
    // Entries that merely touch are fine.
    Prepare(image);
    EXPECT_EQ(unzipper.UnZip(), 2);
}

TEST_F(HostileArchives, AnEndRecordPointingAtAMissingDiskCancelsInsteadOfAskingForever) {
    std::string image = BuildArchive({StoredEntry("a.txt", "a")});
    Write16(image, EndRecordOffset(image) + 4, 1); // this disk 1, directory on disk 0
    Prepare(image);
    EXPECT_TRUE(ThrowsWithMessage<EUserCanceled>([&] { unzipper.OpenArchive(); },
                                                 "User canceled loading new disk."));
    // A handler that keeps naming the same missing file ends the same way.
    int asked = 0;
    unzipper.OnGetNextDisk = [&](int, std::string& name) {
        ++asked;
        name = folder / "missing.001";
    };
    EXPECT_THROW(unzipper.OpenArchive(), EUserCanceled);
    EXPECT_EQ(asked, 2);
}

TEST_F(HostileArchives, CompressedDataRunningPastTheEndArePrematureEnd) {
    std::string image = BuildArchive({StoredEntry("a.txt", SampleText(1000, 3))});
    const std::size_t central = CentralDirectoryOffset(image);
    Write32(image, central + 20, 5000000); // compressed size
    Write32(image, central + 24, 5000000); // uncompressed size
    Prepare(image);
    EXPECT_THROW(unzipper.UnZip(), EFatalUnzipError);
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
}

TEST_F(HostileArchives, ADirectoryCutShortIsRebuiltFromTheLocalHeaders) {
    std::string image = BuildArchive({StoredEntry("a.txt", "aaa"), StoredEntry("b.txt", "bbb")});
    // The end record claims a third entry the directory does not hold.
    Write16(image, EndRecordOffset(image) + 8, 3);
    Write16(image, EndRecordOffset(image) + 10, 3);
    Prepare(image);
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(ReadFile(folder / "out/b.txt"), "bbb");

    // Without any local header to rebuild from, the archive is refused and forgotten.
    image.replace(0, 4, "XXXX");
    image.replace(30 + 5 + 3, 4, "XXXX");
    unzipper.ClearZip();
    Prepare(image);
    EXPECT_TRUE(
        ThrowsWithMessage<EBadZipFile>([&] { unzipper.OpenArchive(); }, "Not a valid zip file!"));
    EXPECT_EQ(unzipper.ZipName(), "");
    EXPECT_EQ(unzipper.Count(), 0);
}

TEST_F(HostileArchives, AnEntryPointingAtNoLocalHeaderIsNoValidZipFile) {
    std::string image = BuildArchive({StoredEntry("a.txt", "aaaa")});
    Write32(image, CentralDirectoryOffset(image) + 42, 3); // local header offset
    Prepare(image);
    EXPECT_THROW(unzipper.UnZip(), EBadZipFile);
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
}

TEST_F(HostileArchives, AnUnknownMethodIsShownAndWritesNothing) {
    RawEntry entry = StoredEntry("odd.bin", "whatever");
    entry.method = 99;
    Prepare(BuildArchive({entry}));
    EXPECT_EQ(unzipper.UnZip(), 0);
    ASSERT_EQ(callbacks.messages.size(), 1u);
    EXPECT_EQ(callbacks.messages[0].caption, "Zip Error");
    EXPECT_EQ(callbacks.messages[0].text, "Unknown Compression Method");
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
}

TEST_F(HostileArchives, CancellingMidEntryLeavesNoPartialFile) {
    Prepare(BuildArchive({StoredEntry("big.bin", RandomBytes(200000, 4))}));
    unzipper.OnFilePercentDone = [this](int) { unzipper.Cancel(); };
    EXPECT_TRUE(
        ThrowsWithMessage<EUserCanceled>([&] { unzipper.UnZip(); }, "User Aborted Operation"));
    EXPECT_EQ(Written(), std::vector<std::string>{"out/"});
    EXPECT_GT(callbacks.processMessagesCalls, 0);
}

} // namespace
} // namespace duebell::zip
