// The drawing interface documents are laid out through. Each call creates a drawing object in
// the caller's unit (millimetres by default) measured from a chosen base, pools its pen, brush
// and font, and appends it to the current page.
#pragma once

#include "print/baseobject.h"
#include "print/margins.h"
#include "print/page.h"
#include "print/resourceitems.h"
#include "print/resourcetable.h"
#include "print/value.h"

#include <memory>
#include <string>

namespace duebell {

// Where the printer's unprintable margins come from (inches from each paper edge).
class TPqPrinterMarginsSource {
public:
    virtual ~TPqPrinterMarginsSource() = default;
    virtual InchRect PrinterMargins() const = 0;
};

// The canvas's drawing brush behaves as a device brush does: giving it a colour, even the one
// it has, makes a clear brush solid.
class TPqDeviceBrush : public TPqBrush {
public:
    void SetColor(TColor color) {
        if (Style() == bsClear)
            SetStyle(bsSolid);
        TPqBrush::SetColor(color);
    }
};

class TPqCanvas {
public:
    // 'printer' may be null: the printer's margins then count as none.
    TPqCanvas(TPqResourceTable& resourceTable, const TPqPrinterMarginsSource* printer,
              TPqMargins& margins);
    TPqCanvas(const TPqCanvas&) = delete;
    TPqCanvas& operator=(const TPqCanvas&) = delete;

    // The current drawing tools; changes affect only objects created afterwards.
    TPqDeviceBrush& Brush() { return brush_; }
    TPqFont& Font() { return font_; }
    TPqPen& Pen() { return pen_; }

    TPqPage* Page() const { return page_; }
    void SetPage(TPqPage* page) { page_ = page; }

    TPqCoordsRelative CoordsRelativeTo() const { return coordsRelativeTo_; }
    // Takes the base's origin at this moment; setting the current base again changes nothing.
    void SetCoordsRelativeTo(TPqCoordsRelative base);
    InchPoint Origin() const { return origin_; }
    TPqMeasurement DefaultMeasurement = pqMillimeters;

    double TextAngle() const { return textAngle_; }
    bool ClipObjects = false;
    InchRect ObjectClipRect;
    bool WrapTextBoxes = true;
    std::uint32_t CopyMode = 0x00CC0020; // source copy

    TPqBaseObject* LastObject() const { return lastObject_; }
    // Called when pages are deleted, so LastObject never refers to a freed object.
    void ForgetLastObject() { lastObject_ = nullptr; }
    InchPoint LastTextPos() const { return lastTextPos_; }
    // The last measured text width and height, inches.
    TPqValueSize& TextSize();

    // Text with its top-left corner at (x, y).
    void TextOut(TPqMeasurement m, double x, double y, const std::string& text);
    void TextOut(double x, double y, const std::string& text);
    // Text turned 'angle' degrees counter-clockwise about its top-left corner.
    void TextOutAngle(TPqMeasurement m, double x, double y, double angle, const std::string& text);
    void TextOutAngle(double x, double y, double angle, const std::string& text);
    // Text whose middle is at x, its top at y.
    void CentredTextOut(TPqMeasurement m, double x, double y, const std::string& text);
    void CentredTextOut(double x, double y, const std::string& text);
    void Rectangle(TPqMeasurement m, double x1, double y1, double x2, double y2);
    void Rectangle(double x1, double y1, double x2, double y2);
    void FlaggedRectangle(TPqMeasurement m, double x1, double y1, double x2, double y2);
    void FlaggedRectangle(double x1, double y1, double x2, double y2);
    void Ellipse(TPqMeasurement m, double x1, double y1, double x2, double y2);
    void Ellipse(double x1, double y1, double x2, double y2);
    // (x3, y3): the width and height of the corners' ellipse.
    void RoundRect(TPqMeasurement m, double x1, double y1, double x2, double y2, double x3,
                   double y3);
    void RoundRect(double x1, double y1, double x2, double y2, double x3, double y3);
    void Line(TPqMeasurement m, double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2);
    // A framed text; a y2 of 0 or less ends the frame below the wrapped text.
    void TextBox(TPqMeasurement m, double x1, double y1, double x2, double y2, double indent,
                 const std::string& text, TAlignment alignment, TPqVertAlignment vertAlignment);
    void TextBox(double x1, double y1, double x2, double y2, double indent, const std::string& text,
                 TAlignment alignment, TPqVertAlignment vertAlignment);

    // The width of 'text' in the current font, in 'm'.
    double TextWidth(const std::string& text, TPqMeasurement m);
    double TextWidth(const std::string& text) { return TextWidth(text, DefaultMeasurement); }

    // Fired after every object is added.
    TNotifyEvent OnChange;

private:
    void AddText(TPqMeasurement m, double x, double y, const std::string& text);
    template <class Shape>
    Shape& AddShape(std::unique_ptr<Shape> shape, TPqMeasurement m, double x1, double y1, double x2,
                    double y2);
    // A new shape of the kind filled with the current brush.
    template <class Shape> std::unique_ptr<Shape> NewFilledShape();
    TPqBrush* PoolBrush();
    TPqFont* PoolFont();
    TPqPen* PoolPen();
    void Append(std::unique_ptr<TPqBaseObject> object);

    TPqResourceTable& resourceTable_;
    const TPqPrinterMarginsSource* printer_;
    TPqMargins& margins_;
    TPqPage* page_ = nullptr;

    TPqDeviceBrush brush_;
    TPqFont font_;
    TPqPen pen_;
    TPqCoordsRelative coordsRelativeTo_ = pqFromPage;
    InchPoint origin_;
    double textAngle_ = 0;
    TPqBaseObject* lastObject_ = nullptr;
    InchPoint lastTextPos_;
    std::unique_ptr<TPqValueSize> textSize_;
};

} // namespace duebell
