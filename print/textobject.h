// A line of text placed by its top-left corner.
#pragma once

#include "print/baseobject.h"

namespace duebell {

class TPqTextObject : public TPqBaseObject {
public:
    static constexpr int TypeId = 1;

    explicit TPqTextObject(TPqResourceTable& resourceTable);

    TPqBrush* GetBrush() override { return brush_.Editable(); }
    TPqFont* GetFont() override { return font_.Editable(); }
    int DataSize() const override;
    int GetTypeId() const override { return TypeId; }
    InchRect GetBounds() const override;
    void SetBrushRef(TPqBrush* brush) override { brush_.SetPooled(brush); }
    void SetFontRef(TPqFont* font) override { font_.SetPooled(font); }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;
    void SetCoords(std::span<const double> values, TPqMeasurement measurement) override;

    const TPqBrush* BrushRef() const { return brush_.Pooled(); }
    const TPqFont* FontRef() const { return font_.Pooled(); }
    double X() const { return x_; }
    double Y() const { return y_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
    void OffsetInches(double dx, double dy) override;

private:
    TPqResourceRef<TPqBrush, TPqBrushList> brush_;
    TPqResourceRef<TPqFont, TPqFontList> font_;
    double x_ = 0;
    double y_ = 0;
    std::string text_;
};

} // namespace duebell
