#include "print/documentstream.h"

#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "print/messages.h"
#include "print/objectfactory.h"

#include <array>
#include <cmath>

namespace duebell {

namespace {

// 2.83 as the 80-bit extended float nearest to it; a double carries only 53 of its bits.
constexpr std::uint8_t VersionBytes[10] = {0xb8, 0x1e, 0x85, 0xeb, 0x51,
                                           0xb8, 0x1e, 0xb5, 0x00, 0x40};

// The largest page a stream may describe, inches on either side.
constexpr double MaxPageInches = 1000;
// The head of an object record: its type id and its size.
constexpr int ObjectHeadSize = 8;

[[noreturn]] void StreamReadError() {
    throw Exception("Stream read error");
}

void Require(bool condition) {
    if (!condition)
        StreamReadError();
}

// --- Writing -------------------------------------------------------------------------------

void WriteRect(TPqStream& stream, const InchRect& rect) {
    stream.WriteExtended(rect.Left);
    stream.WriteExtended(rect.Top);
    stream.WriteExtended(rect.Right);
    stream.WriteExtended(rect.Bottom);
}

void WriteBand(TPqStream& stream, TPqHeaderFooter& band) {
    for (TPqCaptionIndex index : {pqCaptionLeft, pqCaptionCenter, pqCaptionRight}) {
        const TPqHeaderFooterCaption& caption = band.GetCaption(index);
        caption.Font().WriteToStream(stream);
        stream.WriteString(caption.Caption());
    }
    TPqPen pen;
    pen.Assign(band.Pen());
    pen.SetMode(pmCopy);
    pen.WriteToStream(stream);
    stream.WriteBool(band.ShowLine());
    stream.WriteBool(band.Visible());
    stream.WriteExtended(band.Height().Value());
}

void WritePage(TPqStream& stream, const TPqPage& page, const TPqCustomMemoList& memos) {
    stream.WriteByte(page.Orientation());
    stream.WriteInt32(page.ObjectCount());
    for (int i = 0; i < page.ObjectCount(); ++i)
        page.Objects(i).SaveToStream(stream);
    const TPqPageRtfInfo& rtf = page.RtfInfo();
    stream.WriteInt32(rtf.FirstChar);
    stream.WriteInt32(rtf.LastChar);
    stream.WriteInt32(rtf.Memo ? memos.IndexOfIdentical(*rtf.Memo) : -1);
    WriteRect(stream, rtf.Margins);
}

// --- Reading -------------------------------------------------------------------------------

template <class Enum> Enum ReadEnum(TPqStream& stream, Enum fallback, Enum last) {
    auto value = static_cast<std::uint8_t>(fallback);
    stream.ReadGuarded(value);
    Require(value <= static_cast<std::uint8_t>(last));
    return static_cast<Enum>(value);
}

InchRect ReadRect(TPqStream& stream) {
    InchRect rect;
    stream.ReadGuarded(rect.Left);
    stream.ReadGuarded(rect.Top);
    stream.ReadGuarded(rect.Right);
    stream.ReadGuarded(rect.Bottom);
    return rect;
}

struct CaptionImage {
    TPqFont Font;
    std::string Text;
};

// A header or footer band as read, applied to the document only when all went well.
struct BandImage {
    std::array<CaptionImage, 3> Captions;
    TPqPen Pen;
    bool ShowLine = true;
    bool Visible = false;
    double Height = 0;

    void Read(TPqStream& stream) {
        for (CaptionImage& caption : Captions) {
            caption.Font.ReadFromStream(stream);
            Require(TPqFontTraits::Plausible(caption.Font));
            stream.ReadGuarded(caption.Text);
        }
        Pen.ReadFromStream(stream);
        Require(TPqPenTraits::Plausible(Pen));
        stream.ReadGuarded(ShowLine);
        stream.ReadGuarded(Visible);
        stream.ReadGuarded(Height);
        Require(Height >= 0 && Height <= MaxPageInches);
    }
    void ApplyTo(TPqHeaderFooter& band) const {
        for (TPqCaptionIndex index : {pqCaptionLeft, pqCaptionCenter, pqCaptionRight}) {
            band.GetCaption(index).Font().Assign(Captions[index].Font);
            band.GetCaption(index).SetCaption(Captions[index].Text);
        }
        band.Pen().Assign(Pen);
        band.SetShowLine(ShowLine);
        band.SetVisible(Visible);
        band.Height().SetAsInches(Height);
    }
};

// While alive, the document's pools resolve the indices objects were written with to the
// items read for them; afterwards they index themselves again.
class StreamMaps {
public:
    explicit StreamMaps(TPqResourceTable& table) : table_(table) {}
    ~StreamMaps() {
        table_.Brushes().ClearStreamMap();
        table_.Fonts().ClearStreamMap();
        table_.Pens().ClearStreamMap();
        table_.Graphics().ClearStreamMap();
        table_.Memos().ClearStreamMap();
    }
    StreamMaps(const StreamMaps&) = delete;
    StreamMaps& operator=(const StreamMaps&) = delete;

private:
    TPqResourceTable& table_;
};

// Everything a stream holds after its version, read apart from the document it is meant
// for. The pages belong to the document's page list and their objects to its resource
// table, but the items they refer to are held by this image's own pools until Apply.
class DocumentImage {
public:
    DocumentImage(TPqDocument& document, double version, const TPqNeedRichEdit& needRichEdit)
        : document_(document), version_(version), needRichEdit_(needRichEdit) {}

    void Read(TPqStream& stream) {
        stream.ReadDouble(); // the day it was saved
        stream.ReadInt32();  // the page count, for information
        paper_ = ReadEnum(stream, TPqPaperSize::A4, TPqPaperSize::Custom);
        orientation_ = ReadEnum(stream, pqPortrait, pqLandscape);

        TPqResourceTable& live = document_.ResourceTable();
        StreamMaps maps(live);
        live.Brushes().SetStreamMap(pools_.Brushes().LoadFromStream(stream));
        live.Fonts().SetStreamMap(pools_.Fonts().LoadFromStream(stream));
        live.Pens().SetStreamMap(pools_.Pens().LoadFromStream(stream));
        live.Graphics().SetStreamMap(pools_.Graphics().LoadFromStream(stream));
        memos_ = pools_.Memos().LoadFromStream(stream, needRichEdit_);

        header_.Read(stream);
        footer_.Read(stream);
        pageSize_ = PagesSizeFor(paper_, orientation_);
        if (version_ >= PqDocumentVersion) {
            PaperDimensions stored = pageSize_;
            stream.ReadGuarded(stored.Width);
            stream.ReadGuarded(stored.Height);
            Require(stored.Width > 0 && stored.Width <= MaxPageInches && stored.Height > 0 &&
                    stored.Height <= MaxPageInches);
            storedSize_ = true;
            pageSize_ = stored;
        }

        std::int32_t pageCount = 0;
        stream.ReadGuarded(pageCount);
        Require(pageCount >= 0 && pageCount <= stream.Remaining());
        for (std::int32_t n = 0; n < pageCount; ++n)
            pages_.push_back(ReadPage(stream));
    }

    void Apply() {
        TPqPageList& pages = document_.Pages();
        pages.SetOrientation(orientation_);
        if (paper_ != TPqPaperSize::Custom)
            pages.SetPaperSize(paper_);
        else if (storedSize_)
            pages.SetCustomSize(pqInches, pageSize_.Width, pageSize_.Height);
        header_.ApplyTo(pages.Header());
        footer_.ApplyTo(pages.Footer());
        // The old pages go before the pools their objects refer to.
        document_.ReplacePages(std::move(pages_));
        TPqResourceTable& live = document_.ResourceTable();
        live.Brushes().TakeOver(pools_.Brushes());
        live.Fonts().TakeOver(pools_.Fonts());
        live.Pens().TakeOver(pools_.Pens());
        live.Graphics().TakeOver(pools_.Graphics());
        live.Memos().TakeOver(pools_.Memos());
    }

private:
    // The page size the document's page list takes for a paper, as it would set it.
    PaperDimensions PagesSizeFor(TPqPaperSize paper, TPqOrientation orientation) const {
        PaperDimensions size = document_.Pages().PageSize();
        GetPaperSize(paper, orientation, size);
        return size;
    }

    std::unique_ptr<TPqPage> ReadPage(TPqStream& stream) {
        Require(!stream.AtEnd());
        auto page = std::make_unique<TPqPage>(document_.Pages());
        page->SetSize(pageSize_);
        page->SetOrientation(orientation_);
        page->SetOrientation(ReadEnum(stream, pqPortrait, pqLandscape));

        std::int32_t objectCount = 0;
        stream.ReadGuarded(objectCount);
        Require(objectCount >= 0 && objectCount <= stream.Remaining() / ObjectHeadSize);
        for (std::int32_t i = 0; i < objectCount; ++i)
            ReadObject(stream, *page);

        TPqPageRtfInfo& rtf = page->RtfInfo();
        stream.ReadGuarded(rtf.FirstChar);
        stream.ReadGuarded(rtf.LastChar);
        std::int32_t memo = -1;
        stream.ReadGuarded(memo);
        rtf.Memo = memo >= 0 && memo < std::ssize(memos_) ? memos_[memo] : nullptr;
        rtf.Margins = ReadRect(stream);
        return page;
    }

    // An object reads its fields from its own record alone; one of a type no class has is
    // passed over by its size.
    void ReadObject(TPqStream& stream, TPqPage& page) {
        const std::int32_t typeId = stream.ReadInt32();
        const std::int32_t dataSize = stream.ReadInt32();
        Require(dataSize >= ObjectHeadSize && dataSize - ObjectHeadSize <= stream.Remaining());
        const std::int64_t start = stream.Position();
        const std::int64_t end = start + dataSize - ObjectHeadSize;
        if (auto object = CreateObjectById(typeId, document_.ResourceTable())) {
            TPqStream record(std::vector<std::uint8_t>(stream.Bytes().begin() + start,
                                                       stream.Bytes().begin() + end));
            object->LoadFromStream(record);
            page.AddObject(std::move(object));
        }
        stream.Seek(end);
    }

    TPqDocument& document_;
    double version_;
    const TPqNeedRichEdit& needRichEdit_;
    TPqResourceTable pools_;
    std::vector<TPqMemo*> memos_;
    TPqPaperSize paper_ = TPqPaperSize::A4;
    TPqOrientation orientation_ = pqPortrait;
    BandImage header_;
    BandImage footer_;
    PaperDimensions pageSize_;
    bool storedSize_ = false;
    std::vector<std::unique_ptr<TPqPage>> pages_; // after pools_: freed before their items
};

} // namespace

void WriteDocument(TPqDocument& document, TPqStream& stream) {
    TPqPageList& pages = document.Pages();
    TPqResourceTable& pools = document.ResourceTable();
    stream.WriteBytes(VersionBytes, sizeof VersionBytes);
    stream.WriteDouble(std::floor(Date()));
    stream.WriteInt32(pages.Count());
    stream.WriteByte(static_cast<std::uint8_t>(pages.PaperSize()));
    stream.WriteByte(pages.Orientation());
    pools.Brushes().SaveToStream(stream);
    pools.Fonts().SaveToStream(stream);
    pools.Pens().SaveToStream(stream);
    pools.Graphics().SaveToStream(stream);
    pools.Memos().SaveToStream(stream);
    WriteBand(stream, pages.Header());
    WriteBand(stream, pages.Footer());
    stream.WriteExtended(pages.PageSize().Width);
    stream.WriteExtended(pages.PageSize().Height);
    stream.WriteInt32(pages.Count());
    for (int n = 1; n <= pages.Count(); ++n)
        WritePage(stream, pages.Pages(n), pools.Memos());
}

double ReadDocumentVersion(TPqStream& stream) {
    const double version = stream.ReadExtended();
    if (version < PqOldestSupportedVersion)
        ShowPqMessage("In v2.80, the loading/saving of reports has been made much more "
                      "efficient...\n\nFiles generated with previous PqPreview's are not "
                      "currently supported although\nthis is currently being worked on.");
    return version;
}

void ReadDocument(TPqDocument& document, TPqStream& stream, double version,
                 const TPqNeedRichEdit& needRichEdit) {
    DocumentImage image(document, version, needRichEdit);
    image.Read(stream);
    image.Apply();
}

} // namespace duebell
