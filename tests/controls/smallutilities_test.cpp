#include "controls/dateutil.h"
#include "controls/exstrutils.h"
#include "controls/gridstream.h"
#include "controls/guiutils.h"
#include "controls/maxmin.h"
#include "controls/ownedlist.h"
#include "controls/rangeerror.h"
#include "objectlist/exceptions.h"
#include "support/qtapp.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>
#include <sstream>

namespace duebell {
namespace {

TEST(StringRoutines, RepeatCharGivesNothingForCountsBelowOne) {
    EXPECT_EQ(RepeatChar('-', 0), "");
    EXPECT_EQ(RepeatChar('-', -3), "");
    EXPECT_EQ(RepeatChar('-', 3), "---");
}

TEST(StringRoutines, TrimmingTouchesOnlyTheSpaceCharacter) {
    EXPECT_EQ(TrimSpaces("  \tab c\t  "), "\tab c\t");
    EXPECT_EQ(TrimLeadingSpaces("  a  "), "a  ");
    EXPECT_EQ(TrimTrailingSpaces("  a  "), "  a");
    EXPECT_EQ(TrimSpaces("    "), "");
}

TEST(StringRoutines, ReplacementTextIsNotSearchedAgain) {
    EXPECT_EQ(ReplaceSubstring("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceSubstring("a.b.c", ".", ".."), "a..b..c");
    EXPECT_EQ(ReplaceSubstring("abc", "", "x"), "abc");
    EXPECT_EQ(DeleteChar("1,234,567", ','), "1234567");
}

TEST(IntegerRoutines, MinimumAndMaximumAreSigned) {
    EXPECT_EQ(IntMax(-5, 3), 3);
    EXPECT_EQ(IntMin(-5, 3), -5);
}

TEST(FourDigitYear, FollowsTheShortDateFormat) {
    EXPECT_TRUE(IsFourDigitYearFormat("dd/mm/yyyy"));
    EXPECT_FALSE(IsFourDigitYearFormat("d/m/yy"));
    EXPECT_TRUE(FourDigitYear());
}

TEST(RectExtent, IsRightMinusLeftAndBottomMinusTop) {
    // The rectangle covering pixels 2..11 across and 3..7 down: right 12, bottom 8.
    EXPECT_EQ(RectWidth(QRect(QPoint(2, 3), QPoint(11, 7))), 10);
    EXPECT_EQ(RectHeight(QRect(QPoint(2, 3), QPoint(11, 7))), 5);
    EXPECT_EQ(RectWidth(QRect(4, 4, 0, 0)), 0);
    EXPECT_EQ(RectHeight(QRect(QPoint(0, 9), QPoint(0, 6))), -2); // bottom 7 above top 9
}

// An object that writes its name into a log when it is freed.
class Logged : public TObject {
public:
    Logged(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    ~Logged() override { log_.push_back(name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(OwningObjectList, FreesWhatItDeletesAndEverythingLastFirstAtTheEnd) {
    std::vector<std::string> freed;
    {
        TObjectList list;
        for (const char* name : {"a", "b", "c", "d", "e"})
            list.Add(std::make_unique<Logged>(freed, name));
        list.Add(std::make_unique<TDummyObject>());
        list.Delete(1);
        EXPECT_EQ(freed, std::vector<std::string>{"b"});
        EXPECT_EQ(list.Count(), 5);

        TObject* d = list.Items(2);
        EXPECT_EQ(list.Remove(d), 2);
        EXPECT_EQ(freed, (std::vector<std::string>{"b", "d"}));
        Logged stranger(freed, "stranger");
        EXPECT_EQ(list.Remove(&stranger), -1);
        EXPECT_EQ(list.Count(), 4);
        EXPECT_THROW(list.Delete(4), ERangeError);
        freed.clear();
    } // the stranger goes out of scope first, then the list frees what it holds
    EXPECT_EQ(freed, (std::vector<std::string>{"stranger", "e", "c", "a"}));
}

class GuiRoutines : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }
};

TEST_F(GuiRoutines, BitmapCellIsCountedRowByRow) {
    // A 3 x 2 strip of 4 x 5 cells, each filled with its own grey level.
    QImage strip(12, 10, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i)
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 4; ++x)
                strip.setPixel((i % 3) * 4 + x, (i / 3) * 5 + y, qRgb(i * 40, i * 40, i * 40));
    const QImage cell4 = AssignBitmapCell(strip, 3, 2, 4);
    EXPECT_EQ(cell4.size(), QSize(4, 5));
    EXPECT_EQ(qRed(cell4.pixel(2, 2)), 160);
    // A negative index is the first cell; zero columns count as one.
    EXPECT_EQ(qRed(AssignBitmapCell(strip, 3, 2, -7).pixel(0, 0)), 0);
    EXPECT_EQ(AssignBitmapCell(strip, 0, 2, 0).size(), QSize(12, 5));
}

TEST_F(GuiRoutines, TransparentColourIsTheBottomLeftPixelAndIsLeftUnpainted) {
    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    glyph.setPixel(1, 1, qRgb(0, 0, 0));
    EXPECT_EQ(BitmapTransparentColor(glyph), clFuchsia);
    QImage target(3, 3, QImage::Format_RGB32);
    target.fill(qRgb(10, 20, 30));
    QPainter painter(&target);
    DrawBitmapTransparent(painter, 0, 0, glyph, clFuchsia);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 0, 0));
}

TEST_F(GuiRoutines, DisabledGlyphIsEmbossed) {
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(qRgb(192, 192, 192));
    glyph.setPixel(1, 1, qRgb(0, 0, 0));
    QPalette palette;
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    const QImage disabled = CreateDisabledBitmap(glyph, clSilver, palette);
    EXPECT_EQ(disabled.pixel(1, 1), qRgb(128, 128, 128)); // shadow in place
    EXPECT_EQ(disabled.pixel(2, 2), qRgb(255, 255, 255)); // highlight down and right
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);           // background left see-through
}

TEST_F(GuiRoutines, ImageListEntryIsDrawnEmbossed) {
    // Image 1 of the list: a dark L of three pixels on a see-through 4 x 4 square.
    QImage empty(4, 4, QImage::Format_ARGB32);
    empty.fill(Qt::transparent);
    QImage shape = empty;
    for (QPoint p : {QPoint(1, 1), QPoint(1, 2), QPoint(2, 2)})
        shape.setPixel(p, qRgb(0, 0, 0));
    const std::vector<QImage> images{empty, shape};
    QPalette palette;
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    const QRgb face = qRgb(10, 20, 30);

    QImage canvas(12, 12, QImage::Format_RGB32);
    canvas.fill(face);
    QPainter painter(&canvas);
    DrawDisabledImage(images, painter, 5, 5, 1, palette);
    DrawDisabledImage(images, painter, 0, 0, 2, palette); // no such image
    painter.end();
    const QRgb shadow = qRgb(128, 128, 128);
    const QRgb highlight = qRgb(255, 255, 255);
    EXPECT_EQ(canvas.pixel(6, 6), shadow);
    EXPECT_EQ(canvas.pixel(6, 7), shadow);
    EXPECT_EQ(canvas.pixel(7, 7), shadow);    // the shape covers its own highlight
    EXPECT_EQ(canvas.pixel(7, 8), highlight); // (1, 2) moved down and right, uncovered
    EXPECT_EQ(canvas.pixel(8, 8), highlight);
    EXPECT_EQ(canvas.pixel(7, 6), face);      // see-through pixels leave the canvas alone
    EXPECT_EQ(canvas.pixel(0, 0), face);
}

// A parent that paints its left half red and its right half blue over a green background.
class TwoColourParent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(0, 0, width() / 2, height(), Qt::red);
        painter.fillRect(width() / 2, 0, width() - width() / 2, height() / 2, Qt::blue);
    }
};

TEST_F(GuiRoutines, ParentBackgroundIsPaintedUnderTheControlWithoutItsChildren) {
    TwoColourParent parent;
    parent.resize(100, 60);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::green);
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    QWidget control(&parent);
    control.setGeometry(40, 20, 20, 20); // straddles the red/blue edge at x 50, y 30
    QWidget sibling(&parent);
    sibling.setGeometry(40, 20, 20, 20);
    sibling.setAutoFillBackground(true); // would show yellow were children drawn
    sibling.setPalette(QPalette(Qt::yellow));

    QImage backdrop(20, 20, QImage::Format_RGB32);
    backdrop.fill(Qt::black);
    QPainter painter(&backdrop);
    PaintParentBackground(control, painter);
    painter.end();
    EXPECT_EQ(backdrop.pixel(5, 5), QColor(Qt::red).rgb());    // parent (45, 25)
    EXPECT_EQ(backdrop.pixel(15, 5), QColor(Qt::blue).rgb());  // parent (55, 25)
    EXPECT_EQ(backdrop.pixel(15, 15), QColor(Qt::green).rgb()); // parent (55, 35): background
    EXPECT_EQ(backdrop.pixel(5, 15), QColor(Qt::red).rgb());

    // A window has no parent to show through: nothing is painted.
    QImage untouched(4, 4, QImage::Format_RGB32);
    untouched.fill(Qt::black);
    QPainter windowPainter(&untouched);
    PaintParentBackground(parent, windowPainter);
    windowPainter.end();
    EXPECT_EQ(untouched.pixel(1, 1), QColor(Qt::black).rgb());
}

TEST_F(GuiRoutines, ShortenedTextEndsInDotsAndFits) {
    QFont font("Liberation Sans", 10);
    QFontMetrics metrics(font);
    const std::string text = "Statement of account";
    EXPECT_EQ(ShortenText(metrics, text, 10000), text);
    const int limit = metrics.horizontalAdvance("Statement...");
    const std::string shortened = ShortenText(metrics, text, limit);
    EXPECT_EQ(shortened, "Statement...");
    EXPECT_EQ(ShortenText(metrics, text, 1), "...");
}

TEST_F(GuiRoutines, NotImplementedResetsTheCursorSaysSoAndAbortsSilently) {
    test::RecordingHooks hooks;
    std::vector<std::string> seen;
    const ScreenCursorHook oldCursor = SetScreenCursorHook(
        [&](TCursor cursor) { seen.push_back("cursor " + std::to_string(cursor)); });
    const InformationHook oldInformation =
        SetInformationHook([&](const std::string& text) { seen.push_back(text); });
    SetScreenCursor(crHourGlass);
    seen.clear();

    EXPECT_THROW(NotImplemented(), EAbort);
    EXPECT_EQ(seen, (std::vector<std::string>{"cursor 0", "Function not yet implemented"}));
    GuardEvent([] { NotImplemented(); });
    EXPECT_TRUE(hooks.errors.empty()); // the abort reaches no error box

    SetScreenCursorHook(oldCursor);
    SetInformationHook(oldInformation);
}

TEST_F(GuiRoutines, StreamsGoToAndComeFromTheClipboard) {
    test::RecordingHooks hooks;
    std::stringstream out;
    WriteStringToStream(out, "a\tb\r\n");
    WriteStringToStream(out, "c");
    out.seekg(2);
    StreamToClipboard(out);
    EXPECT_EQ(hooks.clipboard, "a\tb\r\nc");
    hooks.clipboard = "pasted";
    std::stringstream in;
    ClipboardToStream(in);
    EXPECT_EQ(in.str(), "pasted");
}

} // namespace
} // namespace duebell
