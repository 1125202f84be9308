// The resource table of a document: pools of brushes, fonts, pens, pictures and memos that
// the drawing objects share, and their stored forms.
#pragma once

#include "print/graphic.h"
#include "print/resourceitems.h"
#include "print/resourcepool.h"
#include "print/richtext.h"

#include <vector>

namespace duebell {

template <class Item> struct TPqDescriptionTraits {
    static std::unique_ptr<Item> Copy(const Item& item) {
        auto copy = std::make_unique<Item>();
        copy->Assign(item);
        return copy;
    }
};
// Each description's stored size, and whether a stored one makes sense.
struct TPqBrushTraits : TPqDescriptionTraits<TPqBrush> {
    static constexpr int StoredSize = 5;
    static bool Equal(const TPqBrush& a, const TPqBrush& b) { return BrushesEqual(a, b); }
    static bool Plausible(const TPqBrush&) { return true; }
};
struct TPqFontTraits : TPqDescriptionTraits<TPqFont> {
    static constexpr int StoredSize = 53;
    // The largest font size Windows draws, points.
    static constexpr int MaxSize = 1638;
    static bool Equal(const TPqFont& a, const TPqFont& b) { return FontsEqual(a, b); }
    static bool Plausible(const TPqFont& font) {
        return font.Size() >= -MaxSize && font.Size() <= MaxSize;
    }
};
struct TPqPenTraits : TPqDescriptionTraits<TPqPen> {
    static constexpr int StoredSize = 10;
    // Ten inches at 600 pixels per inch.
    static constexpr int MaxWidth = 6000;
    static bool Equal(const TPqPen& a, const TPqPen& b) { return PensEqual(a, b); }
    static bool Plausible(const TPqPen& pen) { return pen.Width() >= 0 && pen.Width() <= MaxWidth; }
};
struct TPqGraphicTraits {
    static bool Equal(const TPqGraphic& a, const TPqGraphic& b) { return GraphicsEqual(a, b); }
    static std::unique_ptr<TPqGraphic> Copy(const TPqGraphic& g) {
        return std::make_unique<TPqGraphic>(g);
    }
};
struct TPqMemoTraits {
    static bool Equal(const TPqMemo& a, const TPqMemo& b) { return MemosEqual(a, b); }
    static std::unique_ptr<TPqMemo> Copy(const TPqMemo& m) { return CopyMemo(m); }
};

// Brush, font and pen pools store count, the items' stored forms, then the use counts.
// Reading adds each item (equal ones merge) and returns, for each item written, the item
// kept for it. A count the bytes left cannot hold, or an item that makes no sense, raises
// Exception("Stream read error").
template <class Item, class Traits> class TPqDescriptionPool : public TPqPool<Item, Traits> {
public:
    void SaveToStream(TPqStream& stream) const {
        stream.WriteInt32(this->Count());
        for (int i = 0; i < this->Count(); ++i)
            this->Items(i)->WriteToStream(stream);
        this->SaveUseCounts(stream);
    }
    std::vector<Item*> LoadFromStream(TPqStream& stream) {
        const std::int32_t count = stream.ReadInt32();
        if (count < 0 || count > stream.Remaining() / Traits::StoredSize)
            throw Exception("Stream read error");
        std::vector<Item*> kept;
        kept.reserve(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i) {
            Item item;
            item.ReadFromStream(stream);
            if (!Traits::Plausible(item))
                throw Exception("Stream read error");
            kept.push_back(this->Add(item));
        }
        this->LoadUseCounts(stream, kept);
        return kept;
    }
};

using TPqBrushList = TPqDescriptionPool<TPqBrush, TPqBrushTraits>;
using TPqFontList = TPqDescriptionPool<TPqFont, TPqFontTraits>;
using TPqPenList = TPqDescriptionPool<TPqPen, TPqPenTraits>;

class TPqGraphicList : public TPqPool<TPqGraphic, TPqGraphicTraits> {
public:
    // When set (the default) an equal picture is shared instead of kept twice.
    bool CompareGraphics() const { return reuseEqualItems_; }
    void SetCompareGraphics(bool compare) { reuseEqualItems_ = compare; }

    // Per picture: kind byte, Int32 end offset (the position after its data), its stored form.
    // Pictures of an unknown kind are skipped by their end offset (kept as null).
    void SaveToStream(TPqStream& stream) const;
    std::vector<TPqGraphic*> LoadFromStream(TPqStream& stream);
};

class TPqCustomMemoList : public TPqPool<TPqMemo, TPqMemoTraits> {
public:
    // Per memo: the plain-memo flag byte, then its rich text as an embedded stream. Each memo
    // read is loaded into the rich edit 'needRichEdit' supplies (emptied first), else into a
    // hidden one, and joins the pool as a copy.
    void SaveToStream(TPqStream& stream) const;
    std::vector<TPqMemo*> LoadFromStream(TPqStream& stream, const TPqNeedRichEdit& needRichEdit = {});
};

class TPqResourceTable {
public:
    TPqBrushList& Brushes() { return brushes_; }
    TPqFontList& Fonts() { return fonts_; }
    TPqPenList& Pens() { return pens_; }
    TPqGraphicList& Graphics() { return graphics_; }
    TPqCustomMemoList& Memos() { return memos_; }
    const TPqBrushList& Brushes() const { return brushes_; }
    const TPqFontList& Fonts() const { return fonts_; }
    const TPqPenList& Pens() const { return pens_; }
    const TPqGraphicList& Graphics() const { return graphics_; }
    const TPqCustomMemoList& Memos() const { return memos_; }

    void Clear();

private:
    TPqBrushList brushes_;
    TPqFontList fonts_;
    TPqPenList pens_;
    TPqGraphicList graphics_;
    TPqCustomMemoList memos_;
};

} // namespace duebell
