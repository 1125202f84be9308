// The header and footer bands every page of a document shares: three captions (left, centre,
// right) with their fonts, an optional line, and a height that follows the fonts unless set.
#pragma once

#include "print/devicecanvas.h"
#include "print/margins.h"
#include "print/resourceitems.h"
#include "print/value.h"

#include <array>
#include <string>

namespace duebell {

class TPqHeaderFooterCaption {
public:
    TPqHeaderFooterCaption();
    TPqHeaderFooterCaption(const TPqHeaderFooterCaption&) = delete;
    TPqHeaderFooterCaption& operator=(const TPqHeaderFooterCaption&) = delete;

    void Assign(const TPqHeaderFooterCaption& source);

    // May hold "{PAGE}", "{NUMPAGES}", "{DATE}" and "{TIME}".
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TPqFont& Font() { return font_; }
    const TPqFont& Font() const { return font_; }

    TNotifyEvent OnChange;

private:
    void Changed();
    std::string caption_;
    TPqFont font_;
};

enum TPqCaptionIndex { pqCaptionLeft, pqCaptionCenter, pqCaptionRight };

class TPqHeaderFooter {
public:
    TPqHeaderFooter(const TPqMargins& margins, bool isHeader);
    virtual ~TPqHeaderFooter() = default;
    TPqHeaderFooter(const TPqHeaderFooter&) = delete;
    TPqHeaderFooter& operator=(const TPqHeaderFooter&) = delete;

    TPqHeaderFooterCaption& GetCaption(TPqCaptionIndex index) { return captions_[index]; }
    const TPqHeaderFooterCaption& GetCaption(TPqCaptionIndex index) const {
        return captions_[index];
    }
    void SetCaption(TPqCaptionIndex index, const TPqHeaderFooterCaption& value) {
        captions_[index].Assign(value);
    }
    TPqHeaderFooterCaption& CaptionLeft() { return captions_[pqCaptionLeft]; }
    TPqHeaderFooterCaption& CaptionCenter() { return captions_[pqCaptionCenter]; }
    TPqHeaderFooterCaption& CaptionRight() { return captions_[pqCaptionRight]; }

    TPqPen& Pen() { return pen_; }
    const TPqPen& Pen() const { return pen_; }
    bool ShowLine() const { return showLine_; }
    void SetShowLine(bool show);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The set height, inches; 0 lets the height follow the caption fonts.
    TPqValue& Height() { return height_; }

    // The set height when above 0; else, when visible, the height of a line in the largest
    // caption font; else 0. Inches.
    double HeightInches() const;
    // The same as a value; a change made to it is stored as Height.
    TPqValue& GetHeight();

    // Draws the band on a page of the given size (inches).
    void DrawOnCanvas(TPqDeviceCanvas& canvas, int pageNumber, double pageHeight,
                      double pageWidth) const;

    TNotifyEvent OnChange;

private:
    void Changed();

    const TPqMargins& margins_;
    bool isHeader_;
    std::array<TPqHeaderFooterCaption, 3> captions_;
    TPqPen pen_;
    bool showLine_ = true;
    bool visible_ = false;
    TPqValue height_;
    TPqValue reportedHeight_;
};

class TPqHeader : public TPqHeaderFooter {
public:
    explicit TPqHeader(const TPqMargins& margins) : TPqHeaderFooter(margins, true) {}
};

class TPqFooter : public TPqHeaderFooter {
public:
    explicit TPqFooter(const TPqMargins& margins) : TPqHeaderFooter(margins, false) {}
};

} // namespace duebell
