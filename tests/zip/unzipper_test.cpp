// The unzip component's own rules: folders and names, choosing entries, the overwrite
// policy, attributes, events, dialogs, sort orders, comments and re-reading a changed
// archive.
#include "support/archivebuilder.h"
#include "support/scriptedzipcallbacks.h"
#include "support/testfiles.h"
#include "support/throws.h"
#include "zip/dosdatetime.h"
#include "zip/unzipper.h"
#include "zip/zipexceptions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace duebell::zip {
namespace {

using namespace ziptest;

class UnZipperTest : public ::testing::Test {
protected:
    void Prepare(const std::vector<RawEntry>& entries, const std::string& comment = "") {
        WriteFile(folder / "a.zip", BuildArchive(entries, comment));
        unzipper.SetZipName(folder / "a.zip");
        unzipper.SetDestDir(folder / "out");
        unzipper.OnSkippingFile = [this](TSkipReason reason, const std::string& name, int, bool&) {
            skipped.push_back({reason, name});
        };
    }
    std::vector<std::string> Listed() {
        std::vector<std::string> names;
        for (int i = 0; i < unzipper.Count(); ++i) {
            names.push_back(unzipper.Entry(i).Directory() + unzipper.Filename(i));
        }
        return names;
    }

    TempFolder folder;
    ScriptedZipCallbacks callbacks;
    TUnZipper unzipper{&callbacks};
    std::vector<std::pair<TSkipReason, std::string>> skipped;
};

TEST_F(UnZipperTest, FoldersAreStoredWithoutAndRootsWithATrailingSlash) {
    unzipper.SetDestDir("/tmp/somewhere/");
    EXPECT_EQ(unzipper.DestDir(), "/tmp/somewhere");
    unzipper.SetRootDir("base");
    EXPECT_EQ(unzipper.RootDir(), "base/");
    unzipper.SetRootDir("");
    EXPECT_EQ(unzipper.RootDir(), "");
}

TEST_F(UnZipperTest, StoredFoldersAreKeptOnlyWhenAsked) {
    Prepare({StoredEntry("a/b.txt", "b"), StoredEntry("base/sub/c.txt", "c")});
    unzipper.DoAll = true;
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(ListTree(folder / "out"), (std::vector<std::string>{"b.txt", "c.txt"}));

    unzipper.RecreateDirs = true;
    unzipper.SetRootDir("BASE");
    unzipper.SetDestDir(folder / "kept");
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(ListTree(folder / "kept"),
              (std::vector<std::string>{"a/", "a/b.txt", "sub/", "sub/c.txt"}));
}

TEST_F(UnZipperTest, FolderEntriesMakeFoldersWithRecreateDirs) {
    RawEntry dir = StoredEntry("empty/", "");
    dir.externalAttributes = 0x10;
    Prepare({dir, StoredEntry("x.txt", "x")});
    unzipper.DoAll = true;
    unzipper.RecreateDirs = true;
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(ListTree(folder / "out"), (std::vector<std::string>{"empty/", "x.txt"}));
}

TEST_F(UnZipperTest, MasksChooseEntriesIgnoringCaseAreUsedOnceAndStopNowWritesNothing) {
    Prepare({StoredEntry("MV_DATA.XML", "d"), StoredEntry("mv_config.xml", "c"),
             StoredEntry("readme.txt", "r")});
    int infoCount = -1;
    std::int64_t infoBytes = -1;
    int completed = -1;
    unzipper.OnStartUnZipInfo = [&](int count, std::int64_t bytes, bool&) {
        infoCount = count;
        infoBytes = bytes;
    };
    unzipper.OnUnZipComplete = [&](int count) { completed = count; };
    unzipper.FilesList = {"*.XML"};
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(infoCount, 2);
    EXPECT_EQ(infoBytes, 2);
    EXPECT_EQ(completed, 2);
    EXPECT_TRUE(unzipper.FilesList.empty());
    EXPECT_EQ(ListTree(folder / "out"), (std::vector<std::string>{"MV_DATA.XML", "mv_config.xml"}));
    // Without masks and without DoAll nothing is chosen.
    unzipper.SetDestDir(folder / "none");
    EXPECT_EQ(unzipper.UnZip(), 0);
    EXPECT_EQ(infoCount, 0);
    // Stopped at the start, nothing is written.
    unzipper.DoAll = true;
    unzipper.SetDestDir(folder / "stopped");
    unzipper.OnStartUnZipInfo = [](int, std::int64_t, bool& stop) { stop = true; };
    EXPECT_EQ(unzipper.UnZip(), 0);
    EXPECT_FALSE(PathExists(folder / "stopped/readme.txt"));
}

TEST_F(UnZipperTest, OnStartUnZipRenamesOrSkips) {
    Prepare({StoredEntry("a.txt", "a"), StoredEntry("b.txt", "b")});
    unzipper.DoAll = true;
    unzipper.OnStartUnZip = [this](int index, std::string& name, bool& skip) {
        if (index == 0) {
            name = folder / "renamed/first.txt";
        } else {
            skip = true;
        }
    };
    std::vector<std::string> ended;
    unzipper.OnEndUnZip = [&](int, const std::string& name) { ended.push_back(name); };
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(ReadFile(folder / "renamed/first.txt"), "a");
    EXPECT_EQ(ended, std::vector<std::string>{folder / "renamed/first.txt"});
    EXPECT_FALSE(PathExists(folder / "out/b.txt"));
}

TEST_F(UnZipperTest, PromptAsksTheUserWithTheFileName) {
    Prepare({StoredEntry("a.txt", "new a"), StoredEntry("b.txt", "new b")});
    WriteFile(folder / "out/a.txt", "old a");
    WriteFile(folder / "out/b.txt", "old b");
    unzipper.DoAll = true;
    callbacks.yesNoAnswers = {true, false};
    EXPECT_EQ(unzipper.UnZip(), 1);
    ASSERT_EQ(callbacks.questions.size(), 2u);
    EXPECT_EQ(callbacks.questions[0].caption, "File Exists Alert");
    EXPECT_EQ(callbacks.questions[0].text, "Replace existing file a.txt?");
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), "new a");
    EXPECT_EQ(ReadFile(folder / "out/b.txt"), "old b");
    EXPECT_EQ(skipped, (std::vector<std::pair<TSkipReason, std::string>>{
                           {TSkipReason::srNoOverwrite, folder / "out/b.txt"}}));
}

TEST_F(UnZipperTest, PromptGoesToTheEventWhenAssigned) {
    Prepare({StoredEntry("a.txt", "new")});
    WriteFile(folder / "out/a.txt", "old");
    unzipper.DoAll = true;
    unzipper.OnPromptForOverwrite = [this](bool& overwrite, int, std::string& name) {
        overwrite = true;
        name = folder / "out/other.txt";
    };
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), "old");
    EXPECT_EQ(ReadFile(folder / "out/other.txt"), "new");
    EXPECT_TRUE(callbacks.questions.empty());
}

TEST_F(UnZipperTest, NeverNewerAndOlderCompareWithTheExistingFile) {
    RawEntry entry = StoredEntry("a.txt", "from archive");
    entry.dosDateTime = 0x5A8C6000; // 12/04/2025 12:00:00
    Prepare({entry});
    unzipper.DoAll = true;
    auto existing = [this](std::time_t when) {
        WriteFile(folder / "out/a.txt", "on disk");
        const struct utimbuf times { when, when };
        ::utime((folder / "out/a.txt").c_str(), &times);
    };
    const std::time_t archiveTime = DosDateTimeToUnix(0x5A8C6000);

    unzipper.OverwriteMode = TUZOverwriteMode::Never;
    existing(archiveTime - 86400);
    EXPECT_EQ(unzipper.UnZip(), 0);
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), "on disk");

    unzipper.OverwriteMode = TUZOverwriteMode::ifNewer;
    existing(archiveTime + 86400);
    EXPECT_EQ(unzipper.UnZip(), 0);
    existing(archiveTime - 86400);
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), "from archive");

    unzipper.OverwriteMode = TUZOverwriteMode::ifOlder;
    existing(archiveTime - 86400);
    EXPECT_EQ(unzipper.UnZip(), 0);
    existing(archiveTime + 86400);
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(skipped.size(), 3u);
}

TEST_F(UnZipperTest, ReadOnlyFilesAreKeptUnlessReplacingIsAllowedOrAttributesDropped) {
    RawEntry entry = StoredEntry("a.txt", "new");
    entry.externalAttributes = 0x21; // archive, read-only
    Prepare({entry});
    unzipper.DoAll = true;
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    EXPECT_EQ(unzipper.UnZip(), 1);
    struct stat info {};
    ASSERT_EQ(::stat((folder / "out/a.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u);
    EXPECT_EQ(FileDateTime(folder / "out/a.txt"), 0x5A8C6000u);

    WriteFile(folder / "a.zip", BuildArchive({StoredEntry("a.txt", "newer")}));
    EXPECT_EQ(unzipper.UnZip(), 0);
    EXPECT_EQ(skipped, (std::vector<std::pair<TSkipReason, std::string>>{
                           {TSkipReason::srCreateError, folder / "out/a.txt"}}));
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), "new");

    unzipper.ReplaceReadOnly = true;
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(ReadFile(folder / "out/a.txt"), "newer");
    ASSERT_EQ(::stat((folder / "out/a.txt").c_str(), &info), 0);
    EXPECT_NE(info.st_mode & 0200, 0u);

    // Without RetainAttributes a read-only entry still makes a writable file.
    WriteFile(folder / "a.zip", BuildArchive({entry}));
    unzipper.RetainAttributes = false;
    unzipper.SetDestDir(folder / "plain");
    EXPECT_EQ(unzipper.UnZip(), 1);
    ASSERT_EQ(::stat((folder / "plain/a.txt").c_str(), &info), 0);
    EXPECT_NE(info.st_mode & 0200, 0u);
}

TEST_F(UnZipperTest, ProgressReachesAHundredAndMessagesArePumped) {
    Prepare({StoredEntry("a.bin", RandomBytes(100000, 1)),
             StoredEntry("b.bin", RandomBytes(300000, 2))});
    unzipper.DoAll = true;
    std::vector<int> file, total;
    unzipper.OnFilePercentDone = [&](int p) { file.push_back(p); };
    unzipper.OnTotalPercentDone = [&](int p) { total.push_back(p); };
    EXPECT_EQ(unzipper.UnZip(), 2);
    ASSERT_FALSE(total.empty());
    EXPECT_EQ(total.back(), 100);
    EXPECT_TRUE(std::is_sorted(total.begin(), total.end()));
    EXPECT_EQ(std::count(file.begin(), file.end(), 100), 2);
    const int pumped = callbacks.processMessagesCalls;
    EXPECT_GT(pumped, 0);
    unzipper.DoProcessMessages = false;
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(callbacks.processMessagesCalls, pumped);
}

TEST_F(UnZipperTest, DialogsChooseTheArchiveAndTheFolder) {
    Prepare({StoredEntry("a.txt", "a")});
    callbacks.fileAnswers = {folder / "a.zip"};
    unzipper.SetZipName(folder / "?");
    EXPECT_EQ(unzipper.ZipName(), folder / "a.zip");
    callbacks.fileAnswers = {std::nullopt};
    EXPECT_TRUE(ThrowsWithMessage<EUserCanceled>([&] { unzipper.SetZipName("x?"); },
                                                 "User canceled setting zip file name."));
    callbacks.folderAnswers = {folder / "chosen/"};
    unzipper.SetDestDir("?");
    EXPECT_EQ(unzipper.DestDir(), folder / "chosen");
    callbacks.folderAnswers = {std::nullopt};
    EXPECT_TRUE(ThrowsWithMessage<EUserCanceled>([&] { unzipper.SetDestDir("?"); },
                                                 "User canceled Set Desination Directory"));
    EXPECT_EQ(unzipper.DestDir(), folder / "chosen");
}

TEST_F(UnZipperTest, ListingInEveryOrderAndOutOfRange) {
    RawEntry a = StoredEntry("b/zz.txt", std::string(10, 'a'));
    a.dosDateTime = 0x5A8C6000;
    RawEntry b = StoredEntry("a/yy.txt", std::string(30, 'b'));
    b.dosDateTime = 0x5A8D6000;
    RawEntry c = StoredEntry("c/xx.txt", std::string(20, 'c'));
    c.dosDateTime = 0x5A8B6000;
    Prepare({a, b, c});
    unzipper.OpenArchive();
    EXPECT_EQ(callbacks.busyCalls, 2);
    EXPECT_EQ(callbacks.busyDepth, 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"b/zz.txt", "a/yy.txt", "c/xx.txt"}));
    // The sorted list itself is tested on its own; here the component re-sorts on a change.
    unzipper.SetSortMode(TZipSortMode::ByFileName);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"c/xx.txt", "a/yy.txt", "b/zz.txt"}));
    unzipper.SetSortMode(TZipSortMode::ByDate);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a/yy.txt", "b/zz.txt", "c/xx.txt"}));
    EXPECT_DOUBLE_EQ(unzipper.DateTime(0).value, 45760.5); // 13/04/2025 12:00
    EXPECT_TRUE(
        ThrowsWithMessage<EListError>([&] { unzipper.Filename(3); }, "Index 3 is out of range"));
    EXPECT_THROW(unzipper.Filename(-1), EListError);
}

TEST_F(UnZipperTest, CommentsAreReadWhenAskedAndChangesMarked) {
    RawEntry a = StoredEntry("a.txt", "a");
    a.comment = "first entry";
    Prepare({a, StoredEntry("b.txt", "b")}, "the archive");
    unzipper.OpenArchive();
    EXPECT_EQ(unzipper.FileComment(0), "first entry");
    EXPECT_EQ(unzipper.FileComment(1), "");
    EXPECT_EQ(unzipper.ZipComment(), "the archive");
    unzipper.SetFileComment(0, "first entry");
    unzipper.SetZipComment("the archive");
    unzipper.SetFileComment(1, "now with one");
    EXPECT_EQ(unzipper.FileComment(1), "now with one");
}

TEST_F(UnZipperTest, AChangedArchiveIsReadAgainAndClearZipForgetsIt) {
    Prepare({StoredEntry("a.txt", "a")});
    unzipper.OpenArchive();
    EXPECT_EQ(unzipper.Count(), 1);
    WriteFile(folder / "a.zip",
              BuildArchive({StoredEntry("a.txt", "a"), StoredEntry("b.txt", "bb")}));
    unzipper.OpenArchive();
    EXPECT_EQ(unzipper.Count(), 2);
    unzipper.ClearZip();
    EXPECT_EQ(unzipper.ZipName(), "");
    EXPECT_EQ(unzipper.Count(), 0);
    EXPECT_EQ(unzipper.MultiMode(), TMultiMode::mmNone);
}

TEST_F(UnZipperTest, ADirectoryKeptBesideTheArchiveIsUsed) {
    // An archive written without its directory, and the directory in a ".zfc" file.
    const std::string whole =
        BuildArchive({StoredEntry("a.txt", "aaa"), StoredEntry("b.txt", "bbbb")}, "kept apart");
    const std::size_t directory = CentralDirectoryOffset(whole);
    WriteFile(folder / "parts.zip", whole.substr(0, directory));
    std::string zfc = whole.substr(directory);
    Write32(zfc, EndRecordOffset(zfc) + 16, 0);
    WriteFile(folder / "parts.zfc", zfc);
    unzipper.SetZipName(folder / "parts.zip");
    unzipper.SetDestDir(folder / "out");
    unzipper.DoAll = true;
    EXPECT_EQ(unzipper.UnZip(), 2);
    EXPECT_EQ(ReadFile(folder / "out/b.txt"), "bbbb");
    EXPECT_EQ(unzipper.ZipComment(), "kept apart");
}

} // namespace
} // namespace duebell::zip
