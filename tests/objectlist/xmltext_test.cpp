#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmltext.h"
#include "xmltestrecords.h"

#include <gtest/gtest.h>
#include <random>

namespace duebell {
namespace {

using namespace xmltest;

TEST(XmlText, DatesAreWrittenInTheFileForm) {
    const double march5 = EncodeDate(2024, 3, 5);
    EXPECT_EQ(FormatXMLDate(march5 + EncodeTime(14, 30, 0, 0), true), "2024-03-05T14:30:00+10:00");
    EXPECT_EQ(FormatXMLDate(march5 + EncodeTime(14, 30, 0, 0), false), "2024-03-05");
    EXPECT_EQ(FormatXMLDate(march5, true), "2024-03-05T00:00:00+10:00");
    EXPECT_EQ(FormatXMLDate(EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 0), true),
              "9999-12-31T23:59:59+10:00");
    EXPECT_EQ(FormatXMLDate(1.0, false), "1899-12-31");
    // Zero, negative and almost-zero dates are no dates: the element is left out.
    EXPECT_EQ(FormatXMLDate(0.0, true), "");
    EXPECT_EQ(FormatXMLDate(-1.5, true), "");
    EXPECT_EQ(FormatXMLDate(0.000004, false), "");
    EXPECT_EQ(FormatXMLDate(0.00001, false), "1899-12-30");
    // A value beyond the calendar is refused, with or without its time.
    EXPECT_THROW(FormatXMLDate(1e300, true), EConvertError);
    EXPECT_THROW(FormatXMLDate(1e300, false), EConvertError);
}

TEST(XmlText, ReadsOnlyTheFormsItWrites) {
    double value = 0.0;
    ASSERT_TRUE(TryReadXmlDate("2024-03-05", value));
    EXPECT_EQ(value, EncodeDate(2024, 3, 5));
    for (const char* zone : {"", "+10:00", "-05:30", "Z"}) {
        ASSERT_TRUE(TryReadXmlDate(std::string("2024-03-05T14:30:15") + zone, value)) << zone;
        EXPECT_EQ(value, EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 15, 0)) << zone;
    }
    for (const char* other :
         {"", "2024-3-5", "2024-03-05T14:30", "2024-03-05 14:30:00", "05/03/2024", "2024-02-30",
          "2024-03-05T24:00:00", "2024-03-05T14:30:00x", "2024-03-05T14:30:00.5", "+024-03-05",
          "0000-01-01"})
        EXPECT_FALSE(TryReadXmlDate(other, value)) << other;
}

TEST(XmlText, TheShortCutGivesWhatTheRecordsOwnConversionGives) {
    // Random moments over the whole calendar, read both ways into a TDateTime and a TDate.
    std::mt19937 random(1899);
    std::uniform_int_distribution<int> year(1, 9999), month(1, 12), day(1, 28), hour(0, 23),
        minute(0, 59);
    TXmlTestLoan loan(nullptr);
    for (int i = 0; i < 5000; ++i) {
        const double moment = EncodeDate(year(random), month(random), day(random)) +
                              (EncodeTime(hour(random), minute(random), minute(random), 0));
        const std::string dateTime = FormatXMLDate(moment, true);
        if (dateTime.empty())
            continue; // before 1899: no date in a file
        double fast = 0.0;
        ASSERT_TRUE(TryReadXmlDate(dateTime, fast)) << dateTime;
        loan.SetPropertyValue("Created", Variant(dateTime));
        EXPECT_EQ(fast, loan.Created.value) << dateTime;

        const std::string date = FormatXMLDate(moment, false);
        ASSERT_TRUE(TryReadXmlDate(date, fast)) << date;
        loan.SetPropertyValue("Start", Variant(date));
        EXPECT_EQ(fast, loan.Start.value) << date;
    }
    // Files written elsewhere may hold days before 1899 (negative day numbers).
    for (const char* text : {"1850-06-15T10:00:00", "0001-01-01T23:59:59Z", "1899-12-29"}) {
        double fast = 0.0;
        ASSERT_TRUE(TryReadXmlDate(text, fast)) << text;
        loan.SetPropertyValue("Created", Variant(text));
        EXPECT_EQ(fast, loan.Created.value) << text;
    }
}

} // namespace
} // namespace duebell
