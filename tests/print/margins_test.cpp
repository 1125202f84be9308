// User margins: values in a chosen unit mirrored in inches, and their change events.
#include "print/margins.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(MarginsTest, DefaultsAreTwentyMillimetresOutlinedInDottedSilver) {
    TPqMargins margins;
    EXPECT_EQ(margins.Values().Left(), 20.0f);
    EXPECT_EQ(margins.Values().ValueMeasurement(), pqMillimeters);
    EXPECT_NEAR(margins.GetLeft().Value(), 0.7874015748, 1e-9);
    EXPECT_NEAR(margins.Inches().Bottom, 0.7874015748, 1e-9);
    EXPECT_EQ(margins.Pen().Color(), clSilver);
    EXPECT_EQ(margins.Pen().Style(), psDot);
    EXPECT_EQ(margins.PrinterMarginPen().Style(), psDot);
    EXPECT_FALSE(margins.Visible());
    EXPECT_FALSE(margins.ClipMargins());
}

TEST(MarginsTest, AValueAndItsInchesFollowEachOtherAndFireOnce) {
    TPqMargins margins;
    int changes = 0;
    margins.OnChange = [&] { ++changes; };
    margins.Values().SetTop(25.4f);
    EXPECT_EQ(changes, 1);
    EXPECT_NEAR(margins.GetTop().Value(), 1, 1e-6);
    margins.Values().SetTop(25.4f);
    EXPECT_EQ(changes, 1);
    // Changing the inches recomputes the values.
    margins.GetRight().SetAsInches(0.5);
    EXPECT_EQ(changes, 2);
    EXPECT_FLOAT_EQ(margins.Values().Right(), 12.7f);
    EXPECT_EQ(margins.GetRight().Value(), 0.5); // kept exactly as set
}

TEST(MarginsTest, ChangingTheUnitConvertsTheValuesInSinglePrecision) {
    TPqMargins margins;
    margins.Values().SetValueMeasurement(pqInches);
    EXPECT_EQ(margins.Values().ValueMeasurement(), pqInches);
    EXPECT_EQ(margins.Values().Left(), static_cast<float>(20 / 25.4));
    margins.Values().SetLeft(1);
    EXPECT_EQ(margins.GetLeft().Value(), 1);
}

TEST(MarginsTest, PensAndFlagsFireTheChange) {
    TPqMargins margins;
    int changes = 0;
    margins.OnChange = [&] { ++changes; };
    margins.Pen().SetColor(clBlack);
    margins.SetVisible(true);
    margins.SetVisible(true);
    margins.SetClipMargins(true);
    margins.SetShowPrinterMargins(true);
    EXPECT_EQ(changes, 4);
}

} // namespace
} // namespace duebell
