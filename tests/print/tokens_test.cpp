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

TEST(ReplaceTokensTest, EveryTokenAndOccurrenceIsReplacedCaseSensitively) {
    struct Row {
        const char* text;
        int page, pages;
        const char* expected;
    };
    const Row rows[] = {
        {"Page {PAGE} of {NUMPAGES}", 2, 5, "Page 2 of 5"},
        {"{PAGE}/{NUMPAGES}", 2, 5, "2/5"},
        {"Page {PAGE} of {NUMPAGES}", 12, 130, "Page 12 of 130"},
        {"{PAGE}-{PAGE}-{PAGE}", 7, 9, "7-7-7"},
        {"{page} of {NumPages}", 1, 2, "{page} of {NumPages}"},
        {"Printed {DATE} at {TIME}", 1, 1, "Printed 05-Mar-2024 at 14:30"},
        {"Statement of account", 1, 1, "Statement of account"},
        {"{ not a token }", 1, 1, "{ not a token }"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Replace(row.text, row.page, row.pages), row.expected) << row.text;
}

} // namespace
} // namespace duebell
