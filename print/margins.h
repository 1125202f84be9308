// The user margins of a document: four values in a chosen unit, mirrored in inches, and how
// the preview outlines them.
#pragma once

#include "print/resourceitems.h"
#include "print/value.h"

#include <string>
#include <string_view>

namespace duebell {

class TPqMarginValues {
public:
    TPqMarginValues() = default;
    TPqMarginValues(const TPqMarginValues&) = delete;
    TPqMarginValues& operator=(const TPqMarginValues&) = delete;

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Right() const { return right_; }
    float Bottom() const { return bottom_; }
    void SetLeft(float v) { Store(left_, v); }
    void SetTop(float v) { Store(top_, v); }
    void SetRight(float v) { Store(right_, v); }
    void SetBottom(float v) { Store(bottom_, v); }

    TPqMeasurement ValueMeasurement() const { return measurement_; }
    // Converts the four values into the new unit (kept in single precision).
    void SetValueMeasurement(TPqMeasurement measurement);

    TNotifyEvent OnChange;

private:
    void Store(float& field, float value);

    float left_ = 20;
    float top_ = 20;
    float right_ = 20;
    float bottom_ = 20;
    TPqMeasurement measurement_ = pqMillimeters;
};

class TPqMargins {
public:
    TPqMargins();
    TPqMargins(const TPqMargins&) = delete;
    TPqMargins& operator=(const TPqMargins&) = delete;

    bool ClipMargins() const { return clipMargins_; }
    void SetClipMargins(bool clip);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool ShowPrinterMargins() const { return showPrinterMargins_; }
    void SetShowPrinterMargins(bool show);
    // The outline of the margins on screen; silver, width 1, dotted.
    TPqPen& Pen() { return pen_; }
    TPqPen& PrinterMarginPen() { return printerMarginPen_; }
    TPqMarginValues& Values() { return values_; }
    const TPqMarginValues& Values() const { return values_; }

    // The margins in inches; changing one of them recomputes the values.
    TPqValue& GetLeft() { return inches_.GetLeft(); }
    TPqValue& GetTop() { return inches_.GetTop(); }
    TPqValue& GetRight() { return inches_.GetRight(); }
    TPqValue& GetBottom() { return inches_.GetBottom(); }
    InchRect Inches() const { return inches_.GetAsInchRect(); }

    TNotifyEvent OnChange;

private:
    void ValuesChanged();
    void InchesFromValues();
    void InchesChanged();
    void Changed();

    bool clipMargins_ = false;
    bool visible_ = false;
    bool showPrinterMargins_ = false;
    TPqPen pen_;
    TPqPen printerMarginPen_;
    TPqMarginValues values_;
    TPqValueRect inches_;
    bool updating_ = false;
};

// The margins as a form keeps them ("MarginValues"): left, top, right and bottom in inches as
// comma text, each number in the general float format with "." for its decimal point.
std::string MarginValuesText(TPqMargins& margins);
// Sets the four margins from such a text. A text without four numbers raises EConvertError
// and changes no margin.
void SetMarginValuesText(TPqMargins& margins, std::string_view text);

} // namespace duebell
