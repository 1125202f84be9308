// The document stream: the version's exact bytes; save, load and save again give the same
// bytes and the same PDF; streams written by hand: an older version without the page size,
// an object of an unknown type, equal fonts written apart, no pages; and broken streams that
// are refused with the document untouched.
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "pdforacle.h"
#include "print/documentstream.h"
#include "print/gridprint.h"
#include "print/labelprinter.h"
#include "print/pdfoutput.h"
#include "print/textobject.h"
#include "printtestsupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// A letter of two pages: text in two fonts, shapes, a framed text, a landscape page, header
// and footer captions with page tokens.
void BuildLetter(TPqDocument& document) {
    TPqCanvas& canvas = document.Canvas();
    TPqPageList& pages = document.Pages();
    pages.Header().SetVisible(true);
    pages.Header().CaptionCenter().SetCaption("Arrears Details");
    pages.Footer().SetVisible(true);
    pages.Footer().CaptionRight().SetCaption("Page {PAGE} of {NUMPAGES}");
    pages.Footer().CaptionRight().Font().SetSize(8);
    pages.Footer().Height().SetAs(pqMillimeters, 6);
    canvas.Font().SetSize(18);
    canvas.Font().SetStyle(fsBold);
    canvas.CentredTextOut(105, 25, "Duebell Lending");
    canvas.Font().SetSize(10);
    canvas.Font().SetStyle(0);
    canvas.TextOut(25, 95, "Reference");
    canvas.Brush().SetColor(0xE0E0E0);
    canvas.Rectangle(20, 100, 190, 120);
    canvas.Brush().SetStyle(bsClear);
    canvas.RoundRect(20, 130, 80, 150, 6, 6);
    canvas.Pen().SetWidth(4);
    canvas.Line(20, 160, 190, 160);
    canvas.TextBox(20, 170, 120, 0, 1, "A framed text long enough to wrap onto a second line",
                   taLeftJustify, pqTop);
    document.NewPage().SetOrientation(pqLandscape);
    canvas.TextOut(200, 100, "Landscape");
}

std::vector<std::uint8_t> Saved(TPqDocument& document) {
    TPqStream stream;
    WriteDocument(document, stream);
    return stream.Bytes();
}

void Load(TPqDocument& document, std::vector<std::uint8_t> bytes) {
    TPqStream stream(std::move(bytes));
    const double version = ReadDocumentVersion(stream);
    ReadDocument(document, stream, version);
}

class DocumentStream : public ::testing::Test {
protected:
    ScopedFixedClock clock{EncodeDate(2026, 3, 1) + EncodeTime(9, 0, 0, 0)};
};

TEST_F(DocumentStream, BeginsWithVersion283AsTheExactExtendedFloat) {
    TPqDocument document;
    const auto bytes = Saved(document);
    ASSERT_GE(bytes.size(), 10u);
    EXPECT_EQ(
        std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 10),
        (std::vector<std::uint8_t>{0xb8, 0x1e, 0x85, 0xeb, 0x51, 0xb8, 0x1e, 0xb5, 0x00, 0x40}));
    TPqStream stream(bytes);
    EXPECT_EQ(ReadDocumentVersion(stream), 2.83);
}

TEST_F(DocumentStream, SavingWhatWasLoadedGivesTheSameBytesAndTheSamePdf) {
    TPqDocument original;
    BuildLetter(original);
    const auto first = Saved(original);
    TPqDocument copy;
    copy.Canvas().TextOut(10, 10, "to be replaced");
    Load(copy, first);
    EXPECT_EQ(Saved(copy), first);

    ASSERT_EQ(copy.PageCount(), 2);
    EXPECT_EQ(copy.CurrentPage(), 1);
    EXPECT_EQ(copy.Canvas().Page(), &copy.GetPage(1));
    EXPECT_EQ(copy.GetPage(2).Orientation(), pqLandscape);
    EXPECT_EQ(copy.ResourceTable().Fonts().Count(), original.ResourceTable().Fonts().Count());

    const QString originalPdf = test::OutputFile("stream_original.pdf");
    const QString copyPdf = test::OutputFile("stream_copy.pdf");
    ASSERT_TRUE(WritePdf(original.Pages(), originalPdf, "Letter"));
    ASSERT_TRUE(WritePdf(copy.Pages(), copyPdf, "Letter"));
    // The pages and every word where it landed; not the files' creation times.
    const auto words = test::ReadPdfWords(originalPdf);
    const QString text = test::PageText(words, 1) + " " + test::PageText(words, 2);
    EXPECT_TRUE(text.contains("Landscape") && text.contains("Arrears")) << text.toStdString();
    EXPECT_TRUE(test::ReadPdfWords(copyPdf) == words);
    EXPECT_EQ(test::ReadPdfInfo(copyPdf).Sizes, test::ReadPdfInfo(originalPdf).Sizes);
}

// Streams written field by field, as the format lays them out.
class HandWrittenStream {
public:
    explicit HandWrittenStream(double version, std::int32_t pageCount = 1) : version_(version) {
        stream.WriteExtended(version);
        stream.WriteDouble(46082); // the day it was saved
        stream.WriteInt32(pageCount);
        stream.WriteByte(static_cast<std::uint8_t>(TPqPaperSize::A4));
        stream.WriteByte(pqPortrait);
    }
    void Brushes() {
        stream.WriteInt32(1);
        TPqBrush().WriteToStream(stream);
        stream.WriteInt32(1);
        stream.WriteInt32(1);
    }
    void Fonts(const std::vector<int>& sizes, const std::vector<std::int32_t>& useCounts) {
        stream.WriteInt32(static_cast<std::int32_t>(sizes.size()));
        for (int size : sizes) {
            TPqFont font;
            font.SetSize(size);
            font.WriteToStream(stream);
        }
        stream.WriteInt32(static_cast<std::int32_t>(useCounts.size()));
        for (std::int32_t count : useCounts)
            stream.WriteInt32(count);
    }
    void EmptyPool() {
        stream.WriteInt32(0);
        stream.WriteInt32(0);
    }
    // Pens, pictures, memos, both bands and, from 2.83 on, the page size.
    void RestOfHead() {
        for (int pool = 0; pool < 3; ++pool)
            EmptyPool();
        for (int band = 0; band < 2; ++band) {
            for (int caption = 0; caption < 3; ++caption) {
                TPqFont().WriteToStream(stream);
                stream.WriteString("");
            }
            TPqPen().WriteToStream(stream);
            stream.WriteBool(true);
            stream.WriteBool(false);
            stream.WriteExtended(0);
        }
        if (version_ >= 2.83) {
            stream.WriteExtended(8.26);
            stream.WriteExtended(11.69);
        }
    }
    void PageHead(std::int32_t pages, std::int32_t objects) {
        stream.WriteInt32(pages);
        stream.WriteByte(pqPortrait);
        stream.WriteInt32(objects);
    }
    void Text(std::int32_t fontIndex, const std::string& text) {
        stream.WriteInt32(TPqTextObject::TypeId);
        stream.WriteInt32(10 + 32 + static_cast<std::int32_t>(text.size()));
        stream.WriteBool(false); // not clipped
        stream.WriteBool(true);  // printable
        stream.WriteInt32(0);    // brush
        stream.WriteInt32(fontIndex);
        stream.WriteExtended(1);
        stream.WriteExtended(2);
        stream.WriteString(text);
    }
    void PageTail() {
        stream.WriteInt32(0);
        stream.WriteInt32(-1);
        stream.WriteInt32(-1);
        for (int i = 0; i < 4; ++i)
            stream.WriteExtended(0);
    }

    TPqStream stream;

private:
    double version_;
};

const TPqTextObject& TextAt(TPqDocument& document, int index) {
    return dynamic_cast<const TPqTextObject&>(document.GetPage(1).Objects(index));
}

TEST_F(DocumentStream, ObjectsKeepTheirOwnFontWhenEqualFontsWrittenApartMerge) {
    // Fonts 10, 10 and 12 points, written with use counts 2, 3 and 1; the texts refer to the
    // second 10-point font (written index 1) and to the 12-point one (written index 2).
    HandWrittenStream written(2.83);
    written.Brushes();
    written.Fonts({10, 10, 12}, {2, 3, 1});
    written.RestOfHead();
    written.PageHead(1, 2);
    written.Text(1, "ten");
    written.Text(2, "twelve");
    written.PageTail();

    TPqDocument document;
    Load(document, written.stream.Bytes());
    const TPqFontList& fonts = document.ResourceTable().Fonts();
    ASSERT_EQ(fonts.Count(), 2);
    EXPECT_EQ(TextAt(document, 0).FontRef(), fonts.Items(0));
    EXPECT_EQ(TextAt(document, 1).FontRef(), fonts.Items(1));
    EXPECT_EQ(fonts.Items(1)->Size(), 12);
    EXPECT_EQ(fonts.UseCount(0), 5);
    EXPECT_EQ(fonts.UseCount(1), 1);
}

TEST_F(DocumentStream, Version281HasNoPageSizeAndUnknownObjectsAreSkippedBySize) {
    HandWrittenStream written(2.81);
    written.Brushes();
    written.Fonts({10}, {1});
    written.RestOfHead();
    written.PageHead(1, 3);
    written.Text(0, "before");
    // Type 99, size 30: 22 bytes after its size field.
    written.stream.WriteInt32(99);
    written.stream.WriteInt32(30);
    written.stream.WriteBytes(std::string(22, 'x').data(), 22);
    written.Text(0, "after");
    written.PageTail();

    TPqDocument document;
    Load(document, written.stream.Bytes());
    ASSERT_EQ(document.GetPage(1).ObjectCount(), 2);
    EXPECT_EQ(TextAt(document, 0).Text(), "before");
    EXPECT_EQ(TextAt(document, 1).Text(), "after");
}

TEST_F(DocumentStream, AnOldVersionIsAnnouncedAndReadAndNoPagesGiveOneEmptyPage) {
    test::RecordingSink sink;
    HandWrittenStream written(2.5, 0);
    written.Brushes();
    written.Fonts({}, {});
    written.RestOfHead();
    written.stream.WriteInt32(0);
    TPqDocument document;
    BuildLetter(document);
    Load(document, written.stream.Bytes());
    EXPECT_EQ(sink.shown, (std::vector<std::string>{
                              "In v2.80, the loading/saving of reports has been made much more "
                              "efficient...\n\nFiles generated with previous PqPreview's are not "
                              "currently supported although\nthis is currently being worked on."}));
    ASSERT_EQ(document.PageCount(), 1);
    EXPECT_EQ(document.GetPage(1).ObjectCount(), 0);
    EXPECT_EQ(document.ResourceTable().Fonts().Count(), 0);
}

TEST_F(DocumentStream, ABrokenStreamIsRefusedAndTheDocumentKeptWhole) {
    TPqDocument source;
    BuildLetter(source);
    const auto good = Saved(source);

    // Where the parts of the good stream lie: the version, date, page count, paper and
    // orientation take 24 bytes, then the brush pool's count.
    auto int32At = [&](std::size_t offset, std::int32_t value) {
        auto bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
        return bytes;
    };
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> broken = {
        {"cut after the version", {good.begin(), good.begin() + 10}},
        {"cut in the pools", {good.begin(), good.begin() + 40}},
        {"cut in the middle", {good.begin(), good.begin() + good.size() / 2}},
        {"a brush count beyond the bytes", int32At(24, 1'000'000)},
        {"a negative brush count", int32At(24, -1)},
        {"paper size 200",
         [&] {
             auto bytes = good;
             bytes[22] = 200;
             return bytes;
         }()},
    };
    // The last object of the last page (the "Landscape" text) claims more bytes than remain.
    {
        const std::string text = "Landscape";
        auto bytes = good;
        auto at = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
        ASSERT_NE(at, bytes.end());
        // Its record: head 8, flags 2, indices 8, X and Y 20, length 4, then the text.
        const std::size_t record =
            static_cast<std::size_t>(at - bytes.begin()) - 4 - 20 - 8 - 2 - 8;
        auto sized = bytes;
        sized[record + 4] = 0xFF;
        sized[record + 5] = 0xFF;
        broken.emplace_back("an object larger than the stream", sized);
        auto typed = bytes;
        typed[record + 4] = 3; // smaller than its own head
        typed[record + 5] = typed[record + 6] = typed[record + 7] = 0;
        broken.emplace_back("an object smaller than its head", typed);
    }

    for (const auto& [what, bytes] : broken) {
        TPqDocument document;
        BuildLetter(document);
        const auto before = Saved(document);
        try {
            Load(document, bytes);
            ADD_FAILURE() << what << ": read without error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Stream read error") << what;
        }
        EXPECT_EQ(Saved(document), before) << what;
        EXPECT_EQ(document.PageCount(), 2) << what;
    }
}

class CountingListener : public TPqPreviewListener {
public:
    void PreviewMessage(TPqPreviewMessage message, int wParam) override {
        if (message == pqmPageCountChanged)
            pageCounts.push_back(wParam);
    }
    std::vector<int> pageCounts;
};

class PreviewStream : public DocumentStream {
protected:
    void SetUp() override {
        BuildLetter(source.Document());
        preview.OnNewPage = [this] { ++pageEvents; };
        preview.OnDrawHeader = [this](TPqValueRect&, TPqCanvas&) { ++pageEvents; };
        preview.OnDrawFooter = [this](TPqValueRect&, TPqCanvas&) { ++pageEvents; };
        preview.BeforeReadStream = [this](TPqStream&) { events.push_back("read"); };
        preview.BeforeLoad = [this](double version, bool& loadFile) {
            events.push_back("load " + std::to_string(version).substr(0, 4));
            loadFile = load;
        };
        source.BeforeWriteStream = [this](TPqStream&) { events.push_back("write"); };
        preview.RegisterListener(&listener);
    }
    void TearDown() override { preview.UnregisterListener(&listener); }

    TPqPreviewModel source;
    TPqPreviewModel preview;
    CountingListener listener;
    int pageEvents = 0;
    std::vector<std::string> events;
    bool load = true;
};

TEST_F(PreviewStream, AssignCopiesTheDocumentWithoutNewPageHeaderOrFooterEvents) {
    preview.Assign(source);
    EXPECT_EQ(events, (std::vector<std::string>{"write", "read", "load 2.83"}));
    EXPECT_EQ(pageEvents, 0);
    EXPECT_FALSE(preview.Updating());
    ASSERT_EQ(preview.PageCount(), 2);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(listener.pageCounts, std::vector<int>{2});
    EXPECT_EQ(Saved(preview.Document()), Saved(source.Document()));
    // The copy goes on like any document: a new page is announced as usual.
    preview.NewPage();
    EXPECT_EQ(pageEvents, 3);
    EXPECT_EQ(preview.PageCount(), 3);
}

TEST_F(PreviewStream, ADocumentThatIsNotLoadedStaysAsItWasAndTheFailureIsUsable) {
    preview.Canvas().TextOut(10, 10, "mine");
    const auto mine = Saved(preview.Document());
    load = false;
    preview.Assign(source);
    EXPECT_EQ(Saved(preview.Document()), mine);
    EXPECT_FALSE(preview.Updating());

    load = true;
    auto bytes = Saved(source.Document());
    bytes.resize(bytes.size() / 2);
    TPqStream cut(bytes);
    EXPECT_THROW(preview.LoadFromStream(cut), Exception);
    EXPECT_EQ(Saved(preview.Document()), mine);
    EXPECT_FALSE(preview.Updating());
}

TEST_F(PreviewStream, RichTextIsReadIntoTheRichEditTheProgramGivesElseAHiddenOne) {
    TPqMemo memo{CreateHiddenRichEdit(), false};
    SetRtfText(*memo.Document, "<p>Arrears <b>notice</b></p>");
    source.Document().ResourceTable().Memos().Add(memo);
    QTextDocument given;
    given.setPlainText("left over");
    int asked = 0;
    preview.OnNeedRichEdit = [&](QTextDocument*& richEdit) {
        ++asked;
        richEdit = &given;
    };
    preview.Assign(source);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(given.toPlainText(), "Arrears notice");
    const TPqCustomMemoList& read = preview.Document().ResourceTable().Memos();
    ASSERT_EQ(read.Count(), 1);
    EXPECT_NE(read.Items(0)->Document.get(), &given); // the pool keeps its own copy
    EXPECT_EQ(read.Items(0)->Document->toPlainText(), "Arrears notice");

    preview.OnNeedRichEdit = [&](QTextDocument*&) { ++asked; };
    preview.Assign(source);
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Items(0)->Document->toPlainText(), "Arrears notice");
}

TEST(PreviewCompanions, ForgetAPreviewThatGoes) {
    test::RecordingSink sink;
    TPqLabelPrinter labels;
    TPqGridPrint grid;
    {
        TPqPreviewModel preview;
        labels.SetPreview(&preview);
        grid.SetPreview(&preview);
    }
    EXPECT_EQ(labels.Preview(), nullptr);
    EXPECT_EQ(grid.Preview(), nullptr);
    labels.DrawLabels();
    EXPECT_EQ(sink.shown, (std::vector<std::string>{"TPqLabelPrinter Error...\n\nThere is no "
                                                    "TPqPreview assigned to this component"}));
}

} // namespace
} // namespace duebell
