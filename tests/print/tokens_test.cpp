// Caption tokens: page numbers, page counts, the date and time.
#include "objectlist/datetime.h"
#include "print/tokens.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

const double Moment = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0);

std::string Replace(const std::string& text, int page, int pages) {
    return ReplaceTokens(text, page, pages, CaptionTimeFormat, CaptionDateFormat, Moment);
}

TEST(ReplaceTokensTest, PageOfPages) {
    EXPECT_EQ(Replace("Page {PAGE} of {NUMPAGES}", 2, 5), "Page 2 of 5");
    EXPECT_EQ(Replace("{PAGE}/{NUMPAGES}", 2, 5), "2/5");
    EXPECT_EQ(Replace("Page {PAGE} of {NUMPAGES}", 12, 130), "Page 12 of 130");
}

TEST(ReplaceTokensTest, EveryOccurrenceIsReplaced) {
    EXPECT_EQ(Replace("{PAGE}-{PAGE}-{PAGE}", 7, 9), "7-7-7");
}

TEST(ReplaceTokensTest, TokensAreCaseSensitive) {
    EXPECT_EQ(Replace("{page} of {NumPages}", 1, 2), "{page} of {NumPages}");
}

TEST(ReplaceTokensTest, DateAndTimeInTheCaptionFormats) {
    EXPECT_EQ(Replace("Printed {DATE} at {TIME}", 1, 1), "Printed 05-Mar-2024 at 14:30");
}

TEST(ReplaceTokensTest, TextWithoutTokensIsUnchanged) {
    EXPECT_EQ(Replace("Statement of account", 1, 1), "Statement of account");
    EXPECT_EQ(Replace("{ not a token }", 1, 1), "{ not a token }");
}

} // namespace
} // namespace duebell
