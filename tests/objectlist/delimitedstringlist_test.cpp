// Splitting one delimited line into fields, with double quotes.
#include "objectlist/delimitedstringlist.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace duebell {
namespace {

using Fields = std::vector<std::string>;

Fields split(std::string_view line, char delimiter = ',') {
    TDelimitedStringList list(delimiter);
    list.SplitDelimitedLine(line);
    return list.Strings();
}

TEST(SplitDelimitedLine, QuotedFieldsKeepTheirDelimiters) {
    EXPECT_EQ(split("a,\"b,c\",d"), (Fields{"a", "b,c", "d"}));
    EXPECT_EQ(split("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
    EXPECT_EQ(split("\"\""), (Fields{""}));
    EXPECT_EQ(split("\"abc"), (Fields{"abc"})); // an unclosed quote runs to the end
}

TEST(SplitDelimitedLine, TrailingDelimiterGivesALastEmptyField) {
    EXPECT_EQ(split("a,"), (Fields{"a", ""}));
    EXPECT_EQ(split("a, "), (Fields{"a", ""}));
    EXPECT_EQ(split("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(split(","), (Fields{"", ""}));
    EXPECT_EQ(split("\"a,\","), (Fields{"a,", ""}));
}

TEST(SplitDelimitedLine, BlanksBeforeAFieldGoBlanksBeforeADelimiterStay) {
    EXPECT_EQ(split("  a  ,  b  "), (Fields{"a  ", "b  "}));
    EXPECT_EQ(split("\t\x01 a"), (Fields{"a"}));
    EXPECT_EQ(split(" \"a\" , b"), (Fields{"a", "b"}));
}

TEST(SplitDelimitedLine, TextAfterAClosingQuoteIsAFieldOfItsOwn) {
    EXPECT_EQ(split("\"a\"b"), (Fields{"a", "b"}));
    EXPECT_EQ(split("\"a\" b,c"), (Fields{"a", "b", "c"}));
}

TEST(SplitDelimitedLine, BlankLineGivesNoFields) {
    EXPECT_TRUE(split("").empty());
    EXPECT_TRUE(split("   ").empty());
}

TEST(SplitDelimitedLine, PropertyPathsSplitAtFullStops) {
    EXPECT_EQ(split("Address.Suburb", '.'), (Fields{"Address", "Suburb"}));
    EXPECT_EQ(split("Contract.ContractAmount", '.'), (Fields{"Contract", "ContractAmount"}));
    EXPECT_EQ(split("Name", '.'), (Fields{"Name"}));
    EXPECT_EQ(split("a,b.c", '.'), (Fields{"a,b", "c"}));
}

TEST(SplitDelimitedLine, LinesAreCutAt4095Characters) {
    std::string line(5000, 'x');
    Fields fields = split(line);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0].size(), 4095u);
    // A field straddling the cut loses its tail; later fields are gone.
    std::string two = std::string(4090, 'y') + ",abcdefgh,z";
    EXPECT_EQ(split(two), (Fields{std::string(4090, 'y'), "abcd"}));
}

TEST(SplitDelimitedLine, EachLineReplacesTheList) {
    TDelimitedStringList list;
    list.SplitDelimitedLine("a,b,c");
    list.SplitDelimitedLine("d");
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list[0], "d");
    list.SetDelimiter(';');
    list.SplitDelimitedLine("e;f,g");
    EXPECT_EQ(list.Strings(), (Fields{"e", "f,g"}));
}

} // namespace
} // namespace duebell
