// The drawing object every page holds: geometry in inches, pooled brush, font and pen
// references, an optional clip rectangle and the printable flag.
#pragma once

#include "print/binarystream.h"
#include "print/devicecanvas.h"
#include "print/resourcetable.h"
#include "print/types.h"

#include <memory>
#include <span>
#include <string>

namespace duebell {

class TPqPage;

// A reference to a pooled item and, once asked for, the holder's own editable copy of it.
// Changing the copy re-pools: the old item is released and the copy's equal is added. The copy
// lives as long as the holder, so whoever edits it may keep using it.
template <class Item, class Pool> class TPqResourceRef {
public:
    TPqResourceRef(Pool& pool, TNotifyEvent onRepooled)
        : pool_(pool), onRepooled_(std::move(onRepooled)) {}
    TPqResourceRef(const TPqResourceRef&) = delete;
    TPqResourceRef& operator=(const TPqResourceRef&) = delete;

    Item* Pooled() const { return item_; }
    void SetPooled(Item* item) {
        item_ = item;
        if (copy_ && item_) {
            refreshing_ = true;
            copy_->Assign(*item_);
            refreshing_ = false;
        }
    }
    Item* Editable() {
        if (!copy_) {
            copy_ = std::make_unique<Item>();
            if (item_)
                copy_->Assign(*item_);
            copy_->OnChange = [this] {
                if (!refreshing_)
                    Repool();
            };
        }
        return copy_.get();
    }
    // The pooled item's position in its pool, as the stored form refers to it (-1: none).
    int Index() const { return item_ ? pool_.IndexOfIdentical(*item_) : -1; }
    // The item the stored form names by 'index' (see TPqPool::StoredItem).
    void SetIndex(int index) { SetPooled(pool_.StoredItem(index)); }

private:
    void Repool() {
        if (item_)
            pool_.Release(*item_);
        item_ = pool_.Add(*copy_);
        if (onRepooled_)
            onRepooled_();
    }

    Pool& pool_;
    TNotifyEvent onRepooled_;
    Item* item_ = nullptr;
    std::unique_ptr<Item> copy_;
    bool refreshing_ = false;
};

class TPqBaseObject {
public:
    explicit TPqBaseObject(TPqResourceTable& resourceTable);
    virtual ~TPqBaseObject() = default;
    TPqBaseObject(const TPqBaseObject&) = delete;
    TPqBaseObject& operator=(const TPqBaseObject&) = delete;

    // Editable copies of the pooled items (nothing for an object without such an item).
    virtual TPqBrush* GetBrush() { return nullptr; }
    virtual TPqFont* GetFont() { return nullptr; }
    virtual TPqPen* GetPen() { return nullptr; }
    // Bytes of the object's whole stored record, its 8-byte head included.
    virtual int DataSize() const;
    virtual int GetTypeId() const = 0;
    // The rectangle the object covers, inches.
    virtual InchRect GetBounds() const { return {}; }
    // Set the pooled items directly.
    virtual void SetBrushRef(TPqBrush*) {}
    virtual void SetFontRef(TPqFont*) {}
    virtual void SetPenRef(TPqPen*) {}

    // Draws onto a device canvas whose base clip is the page's, restoring it afterwards.
    void Draw(TPqDeviceCanvas& canvas) const;
    // Draws only when Printable.
    void Print(TPqDeviceCanvas& canvas) const;

    // The record from Clipped on (the caller has read the type id and size).
    virtual void LoadFromStream(TPqStream& stream);
    // The whole record: type id, DataSize, then the fields.
    virtual void SaveToStream(TPqStream& stream) const;

    // Change the editable copies, and so re-pool.
    void SetBrush(TColor color, TBrushStyle style);
    // An empty name keeps the font's name.
    void SetFont(const std::string& name, int size, TFontStyles style, TColor color, double angle);
    void SetPen(TColor color, int width, TPenStyle style);
    // Text objects take X, Y from two values, shapes X1, Y1, X2, Y2 from four, complex shapes
    // also X3, Y3, X4, Y4 from eight; fewer values change nothing.
    virtual void SetCoords(std::span<const double> values, TPqMeasurement measurement);
    // Moves every coordinate.
    void Offset(TPqMeasurement measurement, double dx, double dy);

    bool Clipped() const { return clipped_; }
    void SetClipped(bool clipped);
    const InchRect& ClipRect() const { return clipRect_; }
    void SetClipRect(const InchRect& rect);
    bool Printable() const { return printable_; }
    void SetPrintable(bool printable);
    TPqResourceTable& ResourceTable() const { return resourceTable_; }
    TPqPage* Page() const { return page_; }
    void SetPage(TPqPage* page) { page_ = page; }

    TNotifyEvent OnChange;

protected:
    virtual void DrawContent(TPqDeviceCanvas& canvas) const = 0;
    virtual void OffsetInches(double dx, double dy) = 0;
    void Changed();
    int HeadSize() const { return clipped_ ? 50 : 10; }
    static void WriteIndex(TPqStream& stream, int index) { stream.WriteInt32(index); }

private:
    TPqResourceTable& resourceTable_;
    bool clipped_ = false;
    InchRect clipRect_;
    bool printable_ = true;
    TPqPage* page_ = nullptr;
};

// The drawn form of a length: inches times 600, rounded.
QPoint DevicePoint(double x, double y);
QRect DeviceRect(double x1, double y1, double x2, double y2);

} // namespace duebell
