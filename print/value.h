// Lengths with a change event: one value, a point or size of two, a rectangle of four.
// Each keeps inches and converts at its edges.
#pragma once

#include "print/binarystream.h"
#include "print/types.h"
#include "print/units.h"

#include <cstdint>

namespace duebell {

class TPqValue {
public:
    TPqValue() = default;
    TPqValue(TPqMeasurement measurement, double value);
    TPqValue(TPqMeasurement measurement, double value, TNotifyEvent onChange);
    TPqValue(const TPqValue&) = delete;
    TPqValue& operator=(const TPqValue&) = delete;

    // Copies the stored length only; fires nothing.
    void Assign(const TPqValue& source) { inches_ = source.inches_; }

    double Value() const { return inches_; }
    double GetAsInches() const { return inches_; }
    void SetAsInches(double inches);
    double GetAsMillimeters() const { return GetAs(pqMillimeters); }
    double GetAs(TPqMeasurement measurement) const;
    void SetAs(TPqMeasurement measurement, double value);
    std::int64_t GetAsUnits() const;
    void SetAsUnits(std::int64_t units);
    std::int64_t GetAsPixels(int pixelsPerInch) const;
    void SetAsPixels(int pixelsPerInch, std::int64_t pixels);

    void ReadFromStream(TPqStream& stream);
    void WriteToStream(TPqStream& stream) const;

    TNotifyEvent OnChange;

private:
    double inches_ = 0;
};

// Two values whose changes lead to the pair's own OnChange.
class TPqCustomValuePoint {
public:
    TPqCustomValuePoint();
    TPqCustomValuePoint(const TPqCustomValuePoint&) = delete;
    TPqCustomValuePoint& operator=(const TPqCustomValuePoint&) = delete;

    void Assign(const TPqCustomValuePoint& source);
    void ReadFromStream(TPqStream& stream);
    void WriteToStream(TPqStream& stream) const;

    TNotifyEvent OnChange;

protected:
    TPqValue first_;
    TPqValue second_;
};

class TPqValuePoint : public TPqCustomValuePoint {
public:
    TPqValue& X() { return first_; }
    TPqValue& Y() { return second_; }
    const TPqValue& X() const { return first_; }
    const TPqValue& Y() const { return second_; }
};

class TPqValueSize : public TPqCustomValuePoint {
public:
    TPqValue& Width() { return first_; }
    TPqValue& Height() { return second_; }
    const TPqValue& Width() const { return first_; }
    const TPqValue& Height() const { return second_; }
};

class TPqValueRect {
public:
    TPqValueRect();
    TPqValueRect(const TPqValueRect&) = delete;
    TPqValueRect& operator=(const TPqValueRect&) = delete;

    TPqValuePoint& TopLeft() { return topLeft_; }
    TPqValuePoint& BottomRight() { return bottomRight_; }
    TPqValue& GetLeft() { return topLeft_.X(); }
    TPqValue& GetTop() { return topLeft_.Y(); }
    TPqValue& GetRight() { return bottomRight_.X(); }
    TPqValue& GetBottom() { return bottomRight_.Y(); }

    InchRect GetAsInchRect() const;
    IntRect GetAsUnitsRect() const;
    void SetAsUnitsRect(const IntRect& rect);
    // Sets all four without firing; the caller decides what a change means.
    void AssignInches(const InchRect& rect);

    TNotifyEvent OnChange;

private:
    TPqValuePoint topLeft_;
    TPqValuePoint bottomRight_;
};

} // namespace duebell
