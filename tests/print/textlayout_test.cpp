// Line breaking of framed texts, as Windows' text drawing breaks them.
#include "print/textmetrics.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace duebell {
namespace {

QStringList LineTexts(const std::vector<TPqTextLine>& lines) {
    QStringList texts;
    for (const auto& line : lines) {
        QString text;
        for (const auto& run : line.Runs)
            text += run.Text;
        texts << text;
    }
    return texts;
}

class TextLayout : public ::testing::Test {
protected:
    TPqTextMetrics metrics{TPqFont()};
    int Width(const QString& text) const { return metrics.TextWidth(text); }
};

TEST_F(TextLayout, BreaksBetweenWordsWhereTheNextWordWouldPassTheWidth) {
    QString text = "Your loan is in arrears";
    int width = Width("Your loan is in"); // "arrears" no longer fits
    auto lines = BreakTextLines(metrics, text, width, true, true);
    EXPECT_EQ(LineTexts(lines), QStringList({"Your loan is in", "arrears"}));
    EXPECT_EQ(lines[0].Width, Width("Your loan is in"));

    auto narrower = BreakTextLines(metrics, text, width - 1, true, true);
    EXPECT_EQ(LineTexts(narrower), QStringList({"Your loan is", "in arrears"}));
}

// Spaces at a break are dropped, a word longer than the width stands uncut, and without word
// break a long line stays whole.
TEST_F(TextLayout, SpacesLongWordsAndLinesWithoutWordBreak) {
    struct Row {
        QString text;
        int width;
        bool wordBreak;
        QStringList expected;
    };
    const Row rows[] = {
        {"one    two", Width("one"), true, {"one", "two"}},
        {"a Supercalifragilistic b", Width("a b"), true, {"a", "Supercalifragilistic", "b"}},
        {"Your loan is in arrears", 50, false, {"Your loan is in arrears"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LineTexts(BreakTextLines(metrics, row.text, row.width, row.wordBreak, true)),
                  row.expected)
            << row.text.toStdString();
}

TEST_F(TextLayout, LineBreaksAlwaysBreakAndATrailingOneAddsALine) {
    EXPECT_EQ(LineTexts(BreakTextLines(metrics, "a\r\nb\nc\rd", 10000, false, true)),
              QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(LineTexts(BreakTextLines(metrics, "a\n", 10000, true, true)), QStringList({"a", ""}));
    EXPECT_EQ(BreakTextLines(metrics, "", 10000, true, true).size(), 1u);
}

TEST_F(TextLayout, TabsAdvanceToStopsOfEightAverageCharacterWidths) {
    int stop = 8 * metrics.AverageCharWidth();
    auto lines = BreakTextLines(metrics, "a\tb", 100000, true, true);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].Runs.size(), 2u);
    EXPECT_EQ(lines[0].Runs[0].X, 0);
    EXPECT_EQ(lines[0].Runs[1].X, stop);
    EXPECT_EQ(lines[0].Width, stop + Width("b"));
    // Past the first stop, the next one.
    auto far = BreakTextLines(metrics, "Outstanding\t$1,200.00", 100000, true, true);
    ASSERT_EQ(far[0].Runs.size(), 2u);
    EXPECT_EQ(far[0].Runs[1].X % stop, 0);
    EXPECT_GT(far[0].Runs[1].X, Width("Outstanding"));
}

} // namespace
} // namespace duebell
