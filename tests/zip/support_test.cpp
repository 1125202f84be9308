// The lower layer: the mask matcher, the buffered stream, the folder search, the code page
// and the small helpers.
#include "support/scriptedzipcallbacks.h"
#include "support/testfiles.h"
#include "support/throws.h"
#include "zip/bufferstream.h"
#include "zip/dirsearch.h"
#include "zip/filehelpers.h"
#include "zip/objectcontainer.h"
#include "zip/oemcodepage.h"
#include "zip/wildcard.h"
#include "zip/zipexceptions.h"

#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>
#include <random>

namespace duebell::zip {
namespace {

using namespace ziptest;

TEST(IsMatch, MasksOfTheComponents) {
    EXPECT_TRUE(IsMatch("*.XML", "MV_DATA.XML"));
    EXPECT_TRUE(IsMatch("*.XML", "mv_data.xml"));
    EXPECT_TRUE(IsMatch("A<B-D>", "AC"));
    EXPECT_FALSE(IsMatch("A<!B-D>", "AC"));
    EXPECT_TRUE(IsMatch("A<^B-D>", "AE"));
    EXPECT_TRUE(IsMatch("A<D-B>", "AB")); // a range in either order
    EXPECT_TRUE(IsMatch("<xyz>", "Y"));
    EXPECT_FALSE(IsMatch("?", ""));
    EXPECT_TRUE(IsMatch("*", ""));
    EXPECT_TRUE(IsMatch("a*b*c", "aXXbYYbc"));
    EXPECT_FALSE(IsMatch("a*b*c", "aXXbYYbcd"));
    EXPECT_TRUE(IsMatch("sub/*.txt", "SUB/deeper/leaf.TXT"));
    EXPECT_FALSE(IsMatch("*.txt", "a.txt.bak"));
    EXPECT_TRUE(IsMatch("a<b", "A<B")); // an unclosed set is a plain character
}

TEST(IsMatch, ManyStarsStayCheap) {
    const std::string text(2000, 'a');
    EXPECT_FALSE(IsMatch(std::string(50, '*') + "b", text));
}

// An object that counts how many of its kind were freed.
struct Counted {
    static constexpr const char* ClassName = "Counted";
    explicit Counted(int& freed) : freed_(freed) {}
    ~Counted() { ++freed_; }
    int& freed_;
};

TEST(ObjectContainer, GrowsByFourEightThenSixteenAndKeepsCountAndCapacityInBounds) {
    int freed = 0;
    TObjectList<Counted> list;
    std::vector<int> capacities;
    for (int i = 0; i < 34; ++i) {
        if (i % 2 == 0)
            list.Add(new Counted(freed));
        else
            list.Insert(0, new Counted(freed));
        capacities.push_back(list.Capacity());
    }
    std::vector<int> expected;
    for (int count = 1; count <= 34; ++count)
        expected.push_back(count <= 4 ? 4 : count <= 8 ? 8 : count <= 16 ? 16 : count <= 32 ? 32 : 48);
    EXPECT_EQ(capacities, expected);

    // A larger count fills with nothing; a smaller one frees what it drops.
    list.SetCount(50);
    EXPECT_EQ(list.Capacity(), 50);
    EXPECT_EQ(list.Items(49), nullptr);
    list.SetCount(30);
    EXPECT_EQ(freed, 4);
    EXPECT_TRUE(ThrowsWithMessage<EListError>([&] { list.SetCapacity(29); },
                                              "List capacity out of bounds (29)"));
    EXPECT_TRUE(ThrowsWithMessage<EListError>([&] { list.SetCapacity(0x1FFFFFFF); },
                                              "List capacity out of bounds (536870911)"));
    EXPECT_TRUE(
        ThrowsWithMessage<EListError>([&] { list.SetCount(-1); }, "List count out of bounds (-1)"));
    EXPECT_EQ(list.Capacity(), 50);
    list.FreeAll();
    EXPECT_EQ(freed, 34);
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(nullptr);
    EXPECT_EQ(list.Capacity(), 4);
}

TEST(BufferStream, SeekOriginsAndReadingPastTheEnd) {
    TMemoryStream memory(std::string("0123456789").data(), 10);
    TS_BufferStream buffered(memory, 4);
    char c[8] = {};
    EXPECT_EQ(buffered.Seek(-3, soFromEnd), 7);
    EXPECT_EQ(buffered.Read(c, 8), 3);
    EXPECT_EQ(std::string(c, 3), "789");
    EXPECT_EQ(buffered.Read(c, 8), 0);
    EXPECT_EQ(buffered.Seek(2, soFromBeginning), 2);
    EXPECT_EQ(buffered.Seek(3, soFromCurrent), 5);
    EXPECT_TRUE(
        ThrowsWithMessage<Exception>([&] { buffered.Seek(0, 3); }, "Invalid seek origin (3)"));
}

TEST(BufferStream, MixedReadsWritesAndSeeksMatchAnUnbufferedStream) {
    TMemoryStream plain;
    TMemoryStream underlying;
    {
        TS_BufferStream buffered(underlying, 7);
        std::mt19937 engine(3);
        for (int step = 0; step < 3000; ++step) {
            const int what = static_cast<int>(engine() % 3);
            if (what == 0) {
                std::string data(engine() % 20, static_cast<char>('a' + step % 26));
                EXPECT_EQ(plain.Write(data.data(), std::ssize(data)),
                          buffered.Write(data.data(), std::ssize(data)));
            } else if (what == 1) {
                char a[32], b[32];
                const int n = static_cast<int>(engine() % 32);
                const std::int64_t got = plain.Read(a, n);
                ASSERT_EQ(buffered.Read(b, n), got);
                ASSERT_EQ(std::string(a, got), std::string(b, got));
            } else {
                const std::int64_t to = static_cast<std::int64_t>(engine() % (plain.Size() + 1));
                EXPECT_EQ(buffered.Seek(to, soFromBeginning), plain.Seek(to, soFromBeginning));
            }
            ASSERT_EQ(buffered.Position(), plain.Position());
            ASSERT_EQ(buffered.Size(), plain.Size());
        }
    }
    EXPECT_EQ(underlying.Data(), plain.Data());
}

TEST(BufferStream, AFileStreamOwnedAndFlushed) {
    TempFolder folder;
    {
        TLFNFileStream out(folder / "f.bin", 8192, true, TFileMode::Create);
        out.WriteBuffer("hello", 5);
        EXPECT_GT(out.Handle(), 0);
    }
    EXPECT_EQ(ReadFile(folder / "f.bin"), "hello");
    EXPECT_THROW(TLFNFileStream(folder / "missing", 10, false, TFileMode::OpenRead), EFOpenError);
}

TEST(DirSearch, WalksDepthFirstWithFoldersBeforeTheirContents) {
    TempFolder folder;
    for (const char* name :
         {"a.txt", "b.xml", "README", "sub/c.txt", "sub/deep/d.txt", "other/e.txt"}) {
        WriteFile(folder / name, name);
    }
    auto walk = [&](const std::string& start, bool recurse, const std::string& mask) {
        std::vector<std::string> names;
        TDirSearch search(start, recurse, mask);
        while (const auto found = search.NextFile()) {
            names.push_back(found->name.substr(folder.Path().size() + 1));
        }
        return names;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(walk(folder.Path(), false, "*.txt"), (V{"a.txt"}));
    EXPECT_EQ(walk(folder.Path(), false, "*.*"), (V{"README", "a.txt", "b.xml"}));
    EXPECT_EQ(
        walk(folder.Path() + "/", true, "*.TXT"),
        (V{"a.txt", "other/", "other/e.txt", "sub/", "sub/c.txt", "sub/deep/", "sub/deep/d.txt"}));
    // Wildcards in the start folder are followed level by level.
    EXPECT_EQ(walk(folder / "s*/d*", false, "*"), (V{"sub/deep/d.txt"}));
    EXPECT_TRUE(walk(folder / "none", true, "*").empty());
}

TEST(OemCodePage, EveryByteHasAUtf8FormAndComesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToOem(OemToUtf8(all)), all);
    EXPECT_EQ(OemToUtf8("\x82\x9C\xE1"), "\u00e9\u00a3\u00df"); // é £ ß
    EXPECT_EQ(Utf8ToOem("\u20ac uro"), "? uro");                // no euro sign in 437
    EXPECT_EQ(OemRoundTrip("caf\u00e9 \u20ac"), "caf\u00e9 ?");
}

TEST(FileHelpers, PathsAndPercentages) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ChangeFileExt("/a.b/export.mvd", ".001"), "/a.b/export.001");
    EXPECT_EQ(ChangeFileExt("/a.b/export", ".zfc"), "/a.b/export.zfc");
    EXPECT_EQ(DosToUnixFilename("a\\b\\c"), "a/b/c");
    EXPECT_EQ(UnixToDosFilename("a/b/c"), "a\\b\\c");
    EXPECT_TRUE(HasWildcards("a*.txt"));
    EXPECT_FALSE(HasWildcards("a.txt"));
    EXPECT_EQ(Percentage(1, 3), 33);
    EXPECT_EQ(Percentage(2, 3), 67);
    EXPECT_EQ(Percentage(1, 8), 12); // 12.5 to the even 12
    EXPECT_EQ(Percentage(3, 8), 38); // 37.5 to the even 38
    EXPECT_EQ(Percentage(5, 4), 100);
    EXPECT_EQ(Percentage(5, 0), 0);
    EXPECT_EQ(Percentage(std::int64_t{3} << 40, std::int64_t{4} << 40), 75);
}

TEST(FileHelpers, LeftAndRightCharactersNeverCutAUtf8Character) {
    const struct {
        const char* text;
        int n;
        const char* left;
        const char* right;
    } cases[] = {
        {"MV_DATA.XML", 4, "MV_D", ".XML"},
        {"MV_DATA.XML", 40, "MV_DATA.XML", "MV_DATA.XML"},
        {"MV_DATA.XML", 0, "", ""},
        {"MV_DATA.XML", -2, "", ""},
        {"caf\u00e9s.txt", 4, "caf\u00e9", ".txt"},
        {"x\u20ac\u00e9", 2, "x\u20ac", "\u20ac\u00e9"},
        {"", 3, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeftStr(c.text, c.n), c.left) << c.text << " " << c.n;
        EXPECT_EQ(RightStr(c.text, c.n), c.right) << c.text << " " << c.n;
    }
}

TEST(FileHelpers, CurrentDirIsTheProcesssWorkingFolder) {
    TempFolder folder;
    const std::string before = CurrentDir();
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
    const std::string inside = CurrentDir();
    ASSERT_EQ(::chdir(before.c_str()), 0);
    char resolved[PATH_MAX];
    ASSERT_NE(::realpath(folder.Path().c_str(), resolved), nullptr);
    EXPECT_EQ(inside, resolved);
    EXPECT_EQ(CurrentDir(), before);
}

TEST(FileHelpers, FoldersTemporaryFilesAndCopies) {
    TempFolder folder;
    EXPECT_TRUE(ForceDirs(folder / "x/y/z"));
    EXPECT_TRUE(DirExists(folder / "x/y/z"));
    EXPECT_FALSE(FileExists(folder / "x/y/z"));
    const std::string temp = TempFileName(folder / "x");
    EXPECT_TRUE(FileExists(temp));
    EXPECT_NE(TempFileName(folder / "x"), temp);

    WriteFile(folder / "src.txt", "content");
    WriteFile(folder / "dest.txt", "old");
    ScriptedZipCallbacks callbacks;
    EXPECT_TRUE(CopyFileTo(folder / "src.txt", folder / "dest.txt", callbacks));
    EXPECT_EQ(ReadFile(folder / "dest.txt"), "content");
    EXPECT_FALSE(PathExists(folder / "src.txt"));
    EXPECT_FALSE(CopyFileTo(folder / "gone.txt", folder / "dest.txt", callbacks));
    ASSERT_EQ(callbacks.messages.size(), 1u);
    EXPECT_EQ(callbacks.messages[0].caption, "Error");
    EXPECT_EQ(callbacks.messages[0].text,
              "Could not copy from " + folder / "gone.txt" + " -> " + folder / "dest.txt");
    EXPECT_EQ(ReadFile(folder / "dest.txt"), "content");
}

} // namespace
} // namespace duebell::zip
