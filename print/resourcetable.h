// The resource table of a document: pools of brushes, fonts, pens, pictures and memos that
// the drawing objects share, and their stored forms.
#pragma once

#include "print/graphic.h"
#include "print/resourceitems.h"
#include "print/resourcepool.h"
#include "print/richtext.h"

namespace duebell {

template <class Item> struct TPqDescriptionTraits {
    static std::unique_ptr<Item> Copy(const Item& item) {
        auto copy = std::make_unique<Item>();
        copy->Assign(item);
        return copy;
    }
};
struct TPqBrushTraits : TPqDescriptionTraits<TPqBrush> {
    static bool Equal(const TPqBrush& a, const TPqBrush& b) { return BrushesEqual(a, b); }
};
struct TPqFontTraits : TPqDescriptionTraits<TPqFont> {
    static bool Equal(const TPqFont& a, const TPqFont& b) { return FontsEqual(a, b); }
};
struct TPqPenTraits : TPqDescriptionTraits<TPqPen> {
    static bool Equal(const TPqPen& a, const TPqPen& b) { return PensEqual(a, b); }
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
template <class Item, class Traits> class TPqDescriptionPool : public TPqPool<Item, Traits> {
public:
    void SaveToStream(TPqStream& stream) const {
        stream.WriteInt32(this->Count());
        for (int i = 0; i < this->Count(); ++i)
            this->Items(i)->WriteToStream(stream);
        this->SaveUseCounts(stream);
    }
    void LoadFromStream(TPqStream& stream) {
        std::int32_t count = stream.ReadInt32();
        for (std::int32_t i = 0; i < count; ++i) {
            Item item;
            item.ReadFromStream(stream);
            this->Add(item);
        }
        this->LoadUseCounts(stream);
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
    // Pictures of an unknown kind are skipped by their end offset.
    void SaveToStream(TPqStream& stream) const;
    void LoadFromStream(TPqStream& stream);
};

class TPqCustomMemoList : public TPqPool<TPqMemo, TPqMemoTraits> {
public:
    // Per memo: the plain-memo flag byte, then its rich text as an embedded stream.
    void SaveToStream(TPqStream& stream) const;
    void LoadFromStream(TPqStream& stream);
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
