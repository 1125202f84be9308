#include "print/units.h"

#include <cmath>

namespace duebell {

namespace {

double ToHundredthsOfMillimetre(TPqMeasurement unit, double v) {
    switch (unit) {
    case pqPixels:
        return v * 100 * 25.4 / 96;
    case pqMillimeters:
        return v * 100;
    case pqCentimeters:
        return v * 1000;
    case pqInches:
        return v * 100 * 25.4;
    case pqTwips:
        return v / 1440 * 25.4 * 100;
    case pqUnits:
        break;
    }
    return v;
}

double FromHundredthsOfMillimetre(TPqMeasurement unit, double u) {
    switch (unit) {
    case pqPixels:
        return u / 100 / 25.4 * 96;
    case pqMillimeters:
        return u / 100;
    case pqCentimeters:
        return u / 1000;
    case pqInches:
        return u / 100 / 25.4;
    case pqTwips:
        return u / 100 / 25.4 * 1440;
    case pqUnits:
        break;
    }
    return u;
}

} // namespace

double ConvertValue(TPqMeasurement fromUnit, TPqMeasurement toUnit, double value) {
    if (fromUnit == toUnit)
        return value;
    return FromHundredthsOfMillimetre(toUnit, ToHundredthsOfMillimetre(fromUnit, value));
}

InchPoint ConvertPoint(InchPoint point, TPqMeasurement fromUnit, TPqMeasurement toUnit) {
    return {ConvertValue(fromUnit, toUnit, point.X), ConvertValue(fromUnit, toUnit, point.Y)};
}

InchRect ConvertRect(const IntRect& rect, TPqMeasurement fromUnit, TPqMeasurement toUnit) {
    auto c = [&](std::int64_t v) { return ConvertValue(fromUnit, toUnit, double(v)); };
    return {c(rect.Left), c(rect.Top), c(rect.Right), c(rect.Bottom)};
}

std::int64_t RoundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

bool PointInObjectRect(const InchRect& rect, InchPoint point) {
    auto milli = [](double v) { return RoundHalfEven(v * 1000); };
    std::int64_t x = milli(point.X);
    std::int64_t y = milli(point.Y);
    return x >= milli(rect.Left) && x < milli(rect.Right) && y >= milli(rect.Top) &&
           y < milli(rect.Bottom);
}

} // namespace duebell
