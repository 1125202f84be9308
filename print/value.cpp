#include "print/value.h"

namespace duebell {

TPqValue::TPqValue(TPqMeasurement measurement, double value)
    : inches_(ConvertValue(measurement, pqInches, value)) {}

TPqValue::TPqValue(TPqMeasurement measurement, double value, TNotifyEvent onChange)
    : OnChange(std::move(onChange)), inches_(ConvertValue(measurement, pqInches, value)) {}

void TPqValue::SetAsInches(double inches) {
    if (inches == inches_)
        return;
    inches_ = inches;
    if (OnChange)
        OnChange();
}

double TPqValue::GetAs(TPqMeasurement measurement) const {
    return ConvertValue(pqInches, measurement, inches_);
}

void TPqValue::SetAs(TPqMeasurement measurement, double value) {
    SetAsInches(ConvertValue(measurement, pqInches, value));
}

std::int64_t TPqValue::GetAsUnits() const {
    return RoundHalfEven(GetAs(pqUnits));
}

void TPqValue::SetAsUnits(std::int64_t units) {
    SetAs(pqUnits, double(units));
}

std::int64_t TPqValue::GetAsPixels(int pixelsPerInch) const {
    return RoundHalfEven(inches_ * pixelsPerInch);
}

void TPqValue::SetAsPixels(int pixelsPerInch, std::int64_t pixels) {
    SetAsInches(double(pixels) / pixelsPerInch);
}

void TPqValue::ReadFromStream(TPqStream& stream) {
    inches_ = stream.ReadExtended();
}

void TPqValue::WriteToStream(TPqStream& stream) const {
    stream.WriteExtended(inches_);
}

TPqCustomValuePoint::TPqCustomValuePoint() {
    auto changed = [this] {
        if (OnChange)
            OnChange();
    };
    first_.OnChange = changed;
    second_.OnChange = changed;
}

void TPqCustomValuePoint::Assign(const TPqCustomValuePoint& source) {
    first_.Assign(source.first_);
    second_.Assign(source.second_);
}

void TPqCustomValuePoint::ReadFromStream(TPqStream& stream) {
    first_.ReadFromStream(stream);
    second_.ReadFromStream(stream);
}

void TPqCustomValuePoint::WriteToStream(TPqStream& stream) const {
    first_.WriteToStream(stream);
    second_.WriteToStream(stream);
}

TPqValueRect::TPqValueRect() {
    auto changed = [this] {
        if (OnChange)
            OnChange();
    };
    topLeft_.OnChange = changed;
    bottomRight_.OnChange = changed;
}

InchRect TPqValueRect::GetAsInchRect() const {
    return {topLeft_.X().Value(), topLeft_.Y().Value(), bottomRight_.X().Value(),
            bottomRight_.Y().Value()};
}

IntRect TPqValueRect::GetAsUnitsRect() const {
    return {topLeft_.X().GetAsUnits(), topLeft_.Y().GetAsUnits(), bottomRight_.X().GetAsUnits(),
            bottomRight_.Y().GetAsUnits()};
}

void TPqValueRect::SetAsUnitsRect(const IntRect& rect) {
    GetLeft().SetAsUnits(rect.Left);
    GetTop().SetAsUnits(rect.Top);
    GetRight().SetAsUnits(rect.Right);
    GetBottom().SetAsUnits(rect.Bottom);
}

void TPqValueRect::AssignInches(const InchRect& rect) {
    GetLeft().Assign(TPqValue(pqInches, rect.Left));
    GetTop().Assign(TPqValue(pqInches, rect.Top));
    GetRight().Assign(TPqValue(pqInches, rect.Right));
    GetBottom().Assign(TPqValue(pqInches, rect.Bottom));
}

} // namespace duebell
