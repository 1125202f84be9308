#include "controls/commatext.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using Fields = std::vector<std::string>;

TEST(CommaText, QuotesFieldsWithBlanksCommasOrQuotes) {
    EXPECT_EQ(JoinCommaText({"0000001", "Smith, John", "12 Main St", "say \"hi\"", "x"}),
              "0000001,\"Smith, John\",\"12 Main St\",\"say \"\"hi\"\"\",x");
    EXPECT_EQ(JoinCommaText({"a", "", "b"}), "a,,b");
    EXPECT_EQ(JoinCommaText({""}), "\"\"");
    EXPECT_EQ(JoinCommaText({}), "");
}

TEST(CommaText, ReadsBackWhatItWrites) {
    const Fields fields{"0000001", "Smith, John", "", "say \"hi\"", "tab\there"};
    EXPECT_EQ(SplitCommaText(JoinCommaText(fields)), fields);
}

TEST(CommaText, UnquotedBlanksSeparateFieldsAndATrailingCommaAddsOne) {
    EXPECT_EQ(SplitCommaText("a b,c"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(SplitCommaText("  a , b  "), (Fields{"a", "b"}));
    EXPECT_EQ(SplitCommaText("a,"), (Fields{"a", ""}));
    EXPECT_EQ(SplitCommaText("\"ab\"cd"), (Fields{"ab", "cd"}));
    EXPECT_EQ(SplitCommaText("\"open"), (Fields{"open"}));
    EXPECT_EQ(SplitCommaText(""), Fields{});
}

} // namespace
} // namespace duebell
