// Lengths with change events, and the stored forms of lengths (x87 extended floats).
#include "objectlist/exceptions.h"
#include "print/value.h"

#include <gtest/gtest.h>
#include <limits>

namespace duebell {
namespace {

std::vector<std::uint8_t> ExtendedBytes(double v) {
    TPqStream stream;
    stream.WriteExtended(v);
    return stream.Bytes();
}

TEST(ExtendedFloat, KnownBitPatternsAndRoundTrips) {
    // The top mantissa byte, then the sign and exponent: 1.0 is the explicit integer bit and
    // exponent 0x3FFF, -0.5 has the sign and 0x3FFE, 3.0 = 1.1b x 2^1; the lower bytes are 0.
    const std::pair<double, std::vector<std::uint8_t>> rows[] = {{1.0, {0x80, 0xFF, 0x3F}},
                                                                 {-0.5, {0x80, 0xFE, 0xBF}},
                                                                 {3.0, {0xC0, 0x00, 0x40}},
                                                                 {0.0, {0, 0, 0}}};
    for (const auto& [value, top] : rows) {
        SCOPED_TRACE(value);
        std::vector<std::uint8_t> expected(7, 0);
        expected.insert(expected.end(), top.begin(), top.end());
        EXPECT_EQ(ExtendedBytes(value), expected);
    }

    for (double v : {2.83, -1e-300, 8.26, 0.7874015748031495, 1e300, 123456789.125}) {
        std::uint8_t bytes[10];
        EncodeExtended(v, bytes);
        EXPECT_EQ(DecodeExtended(bytes), v);
    }
    // A document's stream holds lengths, angles and versions: nothing beyond a million, and
    // always a number.
    for (double v : {2.83, -1e6, 0.7874015748031495}) {
        TPqStream stream;
        stream.WriteExtended(v);
        stream.Seek(0);
        EXPECT_EQ(stream.ReadExtended(), v);
    }
    for (double v : {1e300, -1000001.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        TPqStream stream;
        stream.WriteExtended(v);
        stream.Seek(0);
        EXPECT_THROW(stream.ReadExtended(), Exception) << v;
    }
    TPqStream tooShort(std::vector<std::uint8_t>(9, 0));
    EXPECT_THROW(tooShort.ReadExtended(), Exception);
}

TEST(PqValueTest, StoresInchesAndConvertsAtItsEdges) {
    TPqValue v(pqMillimeters, 25.4);
    EXPECT_NEAR(v.Value(), 1, 1e-15);
    EXPECT_NEAR(v.GetAs(pqTwips), 1440, 1e-9);
    EXPECT_NEAR(v.GetAsMillimeters(), 25.4, 1e-12);
    EXPECT_EQ(v.GetAsUnits(), 2540);
    EXPECT_EQ(v.GetAsPixels(600), 600);
    v.SetAsPixels(96, 48);
    EXPECT_DOUBLE_EQ(v.Value(), 0.5);
    v.SetAsUnits(1270);
    EXPECT_NEAR(v.Value(), 0.5, 1e-15);
}

TEST(PqValueTest, PixelsRoundHalvesToEven) {
    TPqValue v;
    v.SetAsInches(2.5 / 600);
    EXPECT_EQ(v.GetAsPixels(600), 2);
    v.SetAsInches(3.5 / 600);
    EXPECT_EQ(v.GetAsPixels(600), 4);
}

TEST(PqValueTest, OnChangeFiresOnlyForARealChange) {
    int changes = 0;
    TPqValue v(pqInches, 1, [&] { ++changes; });
    v.SetAsInches(1);
    EXPECT_EQ(changes, 0);
    v.SetAs(pqMillimeters, 25.4);
    EXPECT_EQ(changes, 0);
    v.SetAsInches(2);
    EXPECT_EQ(changes, 1);
    TPqValue other(pqInches, 5);
    v.Assign(other);
    EXPECT_EQ(changes, 1); // Assign copies silently
    EXPECT_EQ(v.Value(), 5);
}

TEST(PqValueTest, StoredFormIsTenBytes) {
    TPqValue v(pqInches, 8.26);
    TPqStream stream;
    v.WriteToStream(stream);
    EXPECT_EQ(stream.Size(), 10);
    stream.Seek(0);
    TPqValue read;
    read.ReadFromStream(stream);
    EXPECT_EQ(read.Value(), 8.26);
}

TEST(PqValuePointTest, EitherCoordinateFiresThePointsChange) {
    TPqValuePoint point;
    int changes = 0;
    point.OnChange = [&] { ++changes; };
    point.X().SetAsInches(1);
    point.Y().SetAsInches(2);
    point.Y().SetAsInches(2);
    EXPECT_EQ(changes, 2);

    TPqStream stream;
    point.WriteToStream(stream);
    EXPECT_EQ(stream.Size(), 20);
    stream.Seek(0);
    TPqValueSize size;
    size.ReadFromStream(stream);
    EXPECT_EQ(size.Width().Value(), 1);
    EXPECT_EQ(size.Height().Value(), 2);
}

TEST(PqValueRectTest, FourValuesInUnitsAndInches) {
    TPqValueRect rect;
    int changes = 0;
    rect.OnChange = [&] { ++changes; };
    rect.SetAsUnitsRect({2000, 2000, 19000, 27700});
    EXPECT_EQ(changes, 4);
    InchRect inches = rect.GetAsInchRect();
    EXPECT_NEAR(inches.Left, 20 / 25.4, 1e-12);
    EXPECT_NEAR(inches.Bottom, 277 / 25.4, 1e-12);
    IntRect units = rect.GetAsUnitsRect();
    EXPECT_EQ(units.Right, 19000);
    EXPECT_EQ(units.Bottom, 27700);
}

} // namespace
} // namespace duebell
