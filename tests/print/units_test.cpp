// Unit conversion, rounding and the hit test of drawing objects.
#include "print/papersize.h"
#include "print/units.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(ConvertValueTest, OneInchIs25Point4MillimetresOr96PixelsOr1440Twips) {
    struct Row {
        TPqMeasurement from, to;
        double value, expected;
    };
    const Row rows[] = {
        {pqMillimeters, pqInches, 25.4, 1},
        {pqInches, pqPixels, 1, 96},
        {pqInches, pqTwips, 1, 1440},
        {pqPixels, pqTwips, 96, 1440},
        {pqTwips, pqMillimeters, 1440, 25.4},
        {pqCentimeters, pqMillimeters, 2.54, 25.4},
        {pqInches, pqUnits, 1, 2540},
        {pqUnits, pqCentimeters, 2540, 2.54},
        {pqMillimeters, pqInches, 20, 0.7874015748031496},
        // The same unit returns the value untouched.
        {pqPixels, pqPixels, 0.1, 0.1},
        {pqUnits, pqUnits, -7.25, -7.25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " from unit " + std::to_string(row.from));
        EXPECT_NEAR(ConvertValue(row.from, row.to, row.value), row.expected, 1e-12);
    }
}

TEST(ConvertValueTest, PointsAndRectanglesConvertCoordinateByCoordinate) {
    InchPoint p = ConvertPoint({25.4, 50.8}, pqMillimeters, pqInches);
    EXPECT_NEAR(p.X, 1, 1e-12);
    EXPECT_NEAR(p.Y, 2, 1e-12);
    InchRect r = ConvertRect({0, 2540, 5080, 7620}, pqUnits, pqInches);
    EXPECT_NEAR(r.Left, 0, 1e-12);
    EXPECT_NEAR(r.Top, 1, 1e-12);
    EXPECT_NEAR(r.Right, 2, 1e-12);
    EXPECT_NEAR(r.Bottom, 3, 1e-12);
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

TEST(PointInObjectRectTest, LeftAndTopInsideRightAndBottomOutside) {
    InchRect r{1, 1, 2, 2};
    EXPECT_TRUE(PointInObjectRect(r, {1, 1}));
    EXPECT_TRUE(PointInObjectRect(r, {1.999, 1.5}));
    EXPECT_FALSE(PointInObjectRect(r, {2, 1.5}));
    EXPECT_FALSE(PointInObjectRect(r, {1.5, 2}));
    EXPECT_FALSE(PointInObjectRect(r, {0.999, 1.5}));
    // Thousandths of an inch decide: 1.9996 rounds to 2000, outside.
    EXPECT_FALSE(PointInObjectRect(r, {1.9996, 1.5}));
    EXPECT_TRUE(PointInObjectRect(r, {1.9994, 1.5}));
    // 0.9996 rounds to 1000, inside.
    EXPECT_TRUE(PointInObjectRect(r, {0.9996, 1.5}));
}

TEST(PaperSizeTest, LandscapeExchangesWidthAndHeightButCustomKeepsTheCallersSize) {
    PaperDimensions size;
    GetPaperSize(TPqPaperSize::A4, pqLandscape, size);
    EXPECT_DOUBLE_EQ(size.Width, 11.69);
    EXPECT_DOUBLE_EQ(size.Height, 8.26);
    GetPaperSize(TPqPaperSize::Letter, pqPortrait, size);
    EXPECT_DOUBLE_EQ(size.Width, 8.5);
    EXPECT_DOUBLE_EQ(size.Height, 11);
    PaperDimensions custom{4, 6};
    GetPaperSize(TPqPaperSize::Custom, pqLandscape, custom);
    EXPECT_DOUBLE_EQ(custom.Width, 4);
    EXPECT_DOUBLE_EQ(custom.Height, 6);
}

TEST(PaperSizeTest, DeviceCodesAreTheWindowsPaperNumbers) {
    EXPECT_EQ(PaperDeviceCode(TPqPaperSize::A4), 9);
    EXPECT_EQ(PaperDeviceCode(TPqPaperSize::Letter), 1);
    EXPECT_EQ(PaperDeviceCode(TPqPaperSize::A6), 70);
    EXPECT_EQ(PaperDeviceCode(TPqPaperSize::Custom), 0);
}

} // namespace
} // namespace duebell
