// Rich text moved between texts, streams and memos and drawn on a page; the library's
// message boxes.
#include "print/messages.h"
#include "print/richtext.h"

#include <QImage>
#include <QPainter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(RichTextTest, TextRoundTripsWithItsFormatting) {
    auto memo = CreateHiddenRichEdit();
    SetRtfText(*memo, "<p>Total <b>arrears</b></p>");
    EXPECT_EQ(memo->toPlainText(), "Total arrears");
    auto copy = CreateHiddenRichEdit();
    LoadRtfFromStream(*copy, QByteArray::fromStdString(GetRtfText(*memo)));
    EXPECT_EQ(copy->toPlainText(), "Total arrears");
    QTextCursor cursor(copy.get());
    cursor.setPosition(8);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    cursor.setPosition(3);
    EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);
}

TEST(RichTextTest, AnEmptyTextChangesNothingAndAHiddenMemoHoldsAtMostItsLimit) {
    auto memo = CreateHiddenRichEdit();
    SetRtfText(*memo, "<p>kept</p>");
    SetRtfText(*memo, "");
    EXPECT_EQ(memo->toPlainText(), "kept");
    std::string text(HiddenRichEditMaxLength + 25, 'x');
    SetRtfText(*memo, text);
    EXPECT_EQ(memo->characterCount() - 1, HiddenRichEditMaxLength);
    EXPECT_EQ(memo->defaultTextOption().wrapMode(), QTextOption::NoWrap);
}

TEST(RichTextTest, DrawsInsideTheMarginsOfThePage) {
    auto memo = CreateHiddenRichEdit();
    QString words;
    for (int i = 0; i < 200; ++i)
        words += "arrears ";
    SetRtfText(*memo, ("<p>" + words + "</p>").toStdString());
    // A 4 x 4 inch page at 100 pixels per inch with one-inch margins.
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawRtf(painter, 100, *memo, 0, -1, {4, 4}, {1, 1, 1, 1});
    }
    int inside = 0, outside = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            bool dark = qGray(image.pixel(x, y)) < 128;
            bool within = x >= 100 && x < 300 && y >= 100 && y < 300;
            (within ? inside : outside) += dark;
        }
    EXPECT_GT(inside, 1000); // wrapped into many lines filling the text area
    EXPECT_EQ(outside, 0);
}

TEST(RichTextTest, DrawsOnlyTheChosenCharacters) {
    auto memo = CreateHiddenRichEdit();
    SetRtfText(*memo, "<p>AAAA BBBB</p>");
    auto draw = [](const QTextDocument& text, int first, int last) {
        QImage image(400, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawRtf(painter, 100, text, first, last, {4, 1}, {0, 0, 0, 0});
        return image;
    };
    auto alone = CreateHiddenRichEdit();
    SetRtfText(*alone, "<p>BBBB</p>");
    const QImage expected = draw(*alone, 0, -1);
    EXPECT_EQ(draw(*memo, 5, 8), expected);
    EXPECT_NE(draw(*memo, 0, 8), expected);
}

class RecordingSink : public TPqMessageSink {
public:
    void Information(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

TEST(MessagesTest, ErrorsAreHeadedByTheComponentsClassName) {
    RecordingSink sink;
    TPqMessageSink* previous = SetPqMessageSink(&sink);
    ShowPqError("TPqGridPrint", "There is no grid assigned to the TPqGridPrint component");
    ShowPqMessage("Files generated with previous versions are not supported");
    SetPqMessageSink(previous);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0], "TPqGridPrint Error...\n\nThere is no grid assigned to the "
                             "TPqGridPrint component");
    EXPECT_EQ(sink.shown[1], "Files generated with previous versions are not supported");
    // With the sink removed, messages no longer reach it.
    ShowPqMessage("after");
    EXPECT_EQ(sink.shown.size(), 2u);
}

} // namespace
} // namespace duebell
