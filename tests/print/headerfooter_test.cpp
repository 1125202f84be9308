// Header and footer bands: their heights, and where their captions and line are drawn.
#include "print/document.h"
#include "print/pagerender.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

// A line of Arial at a given size, in inches at 600 pixels per inch: ascent plus descent of
// the 2048-unit em (1854 + 434), each rounded.
constexpr double Arial10Height = (75 + 18) / 600.0;  // 83-pixel em
constexpr double Arial12Height = (91 + 21) / 600.0;  // 100-pixel em
constexpr double Arial14Height = (106 + 25) / 600.0; // 117-pixel em

TEST(HeaderHeight, ASetHeightHoldsWhateverTheFontsAndVisibility) {
    TPqMargins margins;
    TPqHeader header(margins);
    // Invisible and without a set height, the band takes no room.
    EXPECT_EQ(header.HeightInches(), 0);
    EXPECT_EQ(header.GetHeight().Value(), 0);
    header.Height().SetAsInches(0.5);
    EXPECT_EQ(header.HeightInches(), 0.5);
    header.SetVisible(true);
    header.CaptionLeft().Font().SetSize(40);
    EXPECT_EQ(header.GetHeight().Value(), 0.5);
    // A change to the reported height is stored as the height.
    int changes = 0;
    header.OnChange = [&] { ++changes; };
    header.GetHeight().SetAsInches(0.75);
    EXPECT_EQ(header.Height().Value(), 0.75);
    EXPECT_EQ(header.HeightInches(), 0.75);
    EXPECT_EQ(changes, 1);
}

TEST(HeaderHeight, VisibleFollowsTheLargestCaptionFont) {
    TPqMargins margins;
    TPqFooter footer(margins);
    footer.SetVisible(true);
    EXPECT_NEAR(footer.HeightInches(), Arial12Height, 1e-12);
    footer.CaptionLeft().Font().SetSize(10);
    footer.CaptionCenter().Font().SetSize(14);
    footer.CaptionRight().Font().SetSize(14);
    EXPECT_NEAR(footer.HeightInches(), Arial14Height, 1e-12);
    // With 14 points in the centre only, the centre caption's font decides.
    footer.CaptionRight().Font().SetSize(10);
    footer.CaptionCenter().Font().SetName("Courier New");
    EXPECT_NE(footer.HeightInches(), Arial14Height);
    EXPECT_GT(footer.HeightInches(), Arial10Height);
}

TEST(HeaderHeight, CaptionAndPenChangesFireTheBandsChange) {
    TPqMargins margins;
    TPqHeader header(margins);
    int changes = 0;
    header.OnChange = [&] { ++changes; };
    header.CaptionRight().SetCaption("Statement");
    header.CaptionRight().Font().SetStyle(fsBold);
    header.Pen().SetWidth(3);
    header.SetShowLine(false);
    header.SetVisible(true);
    EXPECT_EQ(changes, 5);
}

// The first and last dark rows and columns of an image region.
struct InkBox {
    int Left = -1, Top = -1, Right = -1, Bottom = -1;
};

InkBox FindInk(const QImage& image, QRect region) {
    InkBox box;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (box.Top < 0)
                    box.Top = y;
                box.Bottom = y;
                if (box.Left < 0 || x < box.Left)
                    box.Left = x;
                box.Right = std::max(box.Right, x);
            }
    return box;
}

TEST(HeaderDrawing, CaptionsStandOnTheLineAndTheLineSpansTheMargins) {
    TPqDocument document;
    TPqHeader& header = document.Pages().Header();
    header.SetVisible(true);
    header.CaptionLeft().SetCaption("L");
    header.CaptionRight().SetCaption("R");
    // At 600 pixels per inch: margins 472 pixels (20 mm), line at 472 + 112 = 584.
    QImage image = RenderPageImage(document.GetPage(1), 600);
    InkBox line = FindInk(image, QRect(0, 580, image.width(), 8));
    EXPECT_NEAR(line.Left, 472, 1);
    EXPECT_NEAR(line.Right, 4956 - 472, 1); // 8.26 in is 4956 pixels
    EXPECT_NEAR(line.Top, 584, 1);
    // "L" sits above the line, its stem starting at the left margin (Arial's "L" has a left
    // side bearing of 150 units, 7 pixels at a 100-pixel em).
    InkBox left = FindInk(image, QRect(400, 400, 300, 182));
    EXPECT_NEAR(left.Left, 472 + 7, 2);
    EXPECT_NEAR(left.Bottom, 584 - 21 - 1, 2); // the baseline, a descent above the line
    // "R" ends at the right margin (right side bearing of 84 units, 4 pixels).
    InkBox right = FindInk(image, QRect(4300, 400, 400, 182));
    EXPECT_NEAR(right.Right, 4956 - 472 - 4 - 1, 2);
}

TEST(FooterDrawing, AHiddenFooterAndAPageWithoutItDrawNothing) {
    TPqDocument document;
    TPqFooter& footer = document.Pages().Footer();
    footer.CaptionCenter().SetCaption("Page {PAGE}");
    QImage hidden = RenderPageImage(document.GetPage(1), 60);
    EXPECT_EQ(FindInk(hidden, hidden.rect()).Top, -1);
    footer.SetVisible(true);
    QImage shown = RenderPageImage(document.GetPage(1), 60);
    EXPECT_NE(FindInk(shown, shown.rect()).Top, -1);
    document.GetPage(1).SetShowFooter(false);
    QImage off = RenderPageImage(document.GetPage(1), 60);
    EXPECT_EQ(FindInk(off, off.rect()).Top, -1);
}

} // namespace
} // namespace duebell
