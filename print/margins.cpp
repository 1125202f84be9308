#include "print/margins.h"

#include "controls/commatext.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

namespace duebell {

void TPqMarginValues::Store(float& field, float value) {
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange();
}

void TPqMarginValues::SetValueMeasurement(TPqMeasurement measurement) {
    auto convert = [&](float v) {
        return static_cast<float>(ConvertValue(measurement_, measurement, v));
    };
    left_ = convert(left_);
    top_ = convert(top_);
    right_ = convert(right_);
    bottom_ = convert(bottom_);
    measurement_ = measurement;
}

TPqMargins::TPqMargins() {
    pen_.SetColor(clSilver);
    pen_.SetWidth(1);
    pen_.SetStyle(psDot);
    printerMarginPen_.Assign(pen_);
    pen_.OnChange = [this] { Changed(); };
    printerMarginPen_.OnChange = [this] { Changed(); };
    values_.OnChange = [this] { ValuesChanged(); };
    inches_.OnChange = [this] { InchesChanged(); };
    InchesFromValues();
}

void TPqMargins::SetClipMargins(bool clip) {
    if (clipMargins_ == clip)
        return;
    clipMargins_ = clip;
    Changed();
}

void TPqMargins::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Changed();
}

void TPqMargins::SetShowPrinterMargins(bool show) {
    if (showPrinterMargins_ == show)
        return;
    showPrinterMargins_ = show;
    Changed();
}

void TPqMargins::ValuesChanged() {
    if (updating_)
        return;
    InchesFromValues();
    Changed();
}

void TPqMargins::InchesFromValues() {
    TPqMeasurement m = values_.ValueMeasurement();
    inches_.AssignInches(
        {ConvertValue(m, pqInches, values_.Left()), ConvertValue(m, pqInches, values_.Top()),
         ConvertValue(m, pqInches, values_.Right()), ConvertValue(m, pqInches, values_.Bottom())});
}

void TPqMargins::InchesChanged() {
    if (updating_)
        return;
    updating_ = true;
    TPqMeasurement m = values_.ValueMeasurement();
    InchRect r = inches_.GetAsInchRect();
    values_.SetLeft(static_cast<float>(ConvertValue(pqInches, m, r.Left)));
    values_.SetTop(static_cast<float>(ConvertValue(pqInches, m, r.Top)));
    values_.SetRight(static_cast<float>(ConvertValue(pqInches, m, r.Right)));
    values_.SetBottom(static_cast<float>(ConvertValue(pqInches, m, r.Bottom)));
    updating_ = false;
    Changed();
}

void TPqMargins::Changed() {
    if (!updating_ && OnChange)
        OnChange();
}

std::string MarginValuesText(TPqMargins& margins) {
    return JoinCommaText({FloatToStr(margins.GetLeft().GetAsInches()),
                          FloatToStr(margins.GetTop().GetAsInches()),
                          FloatToStr(margins.GetRight().GetAsInches()),
                          FloatToStr(margins.GetBottom().GetAsInches())});
}

void SetMarginValuesText(TPqMargins& margins, std::string_view text) {
    const std::vector<std::string> fields = SplitCommaText(text);
    if (fields.size() < 4)
        throw EConvertError("\"" + std::string(text) + "\" does not hold the four margins");
    double inches[4];
    for (int i = 0; i < 4; ++i)
        inches[i] = StrToFloat(fields[static_cast<std::size_t>(i)]);
    margins.GetLeft().SetAsInches(inches[0]);
    margins.GetTop().SetAsInches(inches[1]);
    margins.GetRight().SetAsInches(inches[2]);
    margins.GetBottom().SetAsInches(inches[3]);
}

} // namespace duebell
