// A framed, wrapped text: a rectangle drawn with pen and brush and a text set inside it.
#pragma once

#include "print/shapes.h"

namespace duebell {

class TPqTextBoxObject : public TPqFilledShape {
public:
    static constexpr int TypeId = 6;

    explicit TPqTextBoxObject(TPqResourceTable& resourceTable);

    TPqFont* GetFont() override { return font_.Editable(); }
    int GetTypeId() const override { return TypeId; }
    int DataSize() const override;
    void SetFontRef(TPqFont* font) override { font_.SetPooled(font); }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    const TPqFont* FontRef() const { return font_.Pooled(); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TPqVertAlignment VertAlignment() const { return vertAlignment_; }
    void SetVertAlignment(TPqVertAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    bool ClipText() const { return clipText_; }
    void SetClipText(bool clip);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Inches on every side between the frame and the text.
    double TextIndent() const { return textIndent_; }
    void SetTextIndent(double inches);
    // The height of the wrapped text, inches, as the canvas measured it.
    double TextHeight() const { return textHeight_; }
    void SetTextHeight(double inches);

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;

private:
    template <class T> void Store(T& field, const T& value);

    TPqResourceRef<TPqFont, TPqFontList> font_;
    TAlignment alignment_ = taLeftJustify;
    TPqVertAlignment vertAlignment_ = pqTop;
    bool wordWrap_ = true;
    std::string text_;
    bool clipText_ = true;
    double textIndent_ = 0;
    double textHeight_ = 0;
};

// The text-drawing alignment flag of a stored alignment: left 0, centre 1, right 2.
int AlignmentToDrawTextFlag(TAlignment alignment);

} // namespace duebell
