// Key lookup: Find, Locate and its variants, and how keys of each kind compare.
#include "objectlist/exceptions.h"
#include "testrecords.h"

#include <gtest/gtest.h>
#include <numeric>

namespace duebell::testing {
namespace {

constexpr double March5 = 45356.0;
constexpr double OneSecond = 1.0 / 86400.0;

std::string LocateError(TTovObjectList& list, const Variant& values) {
    try {
        list.Locate(values);
    } catch (const ETovObjectListError& e) {
        return e.what();
    }
    return "no error";
}

std::unique_ptr<TTestRow> StampRow(double stamp, int tag = 0) {
    std::unique_ptr<TTestRow> row = NewRow(0, {}, tag);
    row->Stamp = TDateTime(stamp);
    return row;
}

class LocateTest : public ::testing::Test {
protected:
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number,Text");

    void SetUp() override {
        list->Add(NewRow(1, "a"));
        list->Add(NewRow(1, "b"));
        list->Add(NewRow(2, "a"));
    }
    static int Number(TTovObjectItem* item) { return static_cast<TTestRow*>(item)->Number; }
    static std::string Text(TTovObjectItem* item) { return static_cast<TTestRow*>(item)->Text; }
};

TEST_F(LocateTest, FindsByConvertedKeyValues) {
    TTovObjectItem* found = list->Locate(Variant::Array({"1", "b"}));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Number(found), 1);
    EXPECT_EQ(Text(found), "b");
    EXPECT_EQ(list->Current(), found);
}

TEST_F(LocateTest, AbsentKeyGivesNothingAndKeepsTheCursor) {
    TTovObjectItem* last = list->Last();
    EXPECT_EQ(list->Locate(Variant::Array({1, "c"})), nullptr);
    EXPECT_EQ(list->Current(), last);
}

TEST_F(LocateTest, ErrorsHaveTheirExactTexts) {
    EXPECT_EQ(LocateError(*list, Variant::Null()), "Locate values cannot be null or empty");
    EXPECT_EQ(LocateError(*list, Variant()), "Locate values cannot be null or empty");
    EXPECT_EQ(LocateError(*list, 1), "Value count not equal to sort field count - NUMBER,TEXT");
    EXPECT_EQ(LocateError(*list, Variant::Array({1, "a", "x"})),
              "Value count not equal to sort field count - NUMBER,TEXT");

    TTovOwnedObjectList single = MakeOwnedObjectList<TTestRow>("number");
    single->Add(NewRow(4));
    EXPECT_EQ(LocateError(*single, Variant::Array({4, 5})),
              "Value count not equal to sort field count - NUMBER");
    EXPECT_NE(single->Locate(Variant::Array({4})), nullptr); // a one-element array is fine
    EXPECT_NE(single->Locate(4), nullptr);

    TTovOwnedObjectList unsorted(new TTovObjectList(&GetItemManager<TTestRow>()));
    unsorted->SetSortFields("Number");
    EXPECT_EQ(LocateError(*unsorted, 1), "Locate function must be called on a sorted object list");
}

TEST_F(LocateTest, NoMoveLeavesTheCursor) {
    TTovObjectItem* first = list->First();
    TTovObjectItem* found = list->LocateNoMove(Variant::Array({2, "a"}));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Number(found), 2);
    EXPECT_EQ(list->Current(), first);
}

TEST_F(LocateTest, PartialLocateFindsTheFirstRecordOnLeadingFields) {
    TTovObjectItem* found = list->PartialLocate(1);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Text(found), "a");
    EXPECT_EQ(Text(list->PartialLocate(Variant::Array({1, "b"}))), "b");
    EXPECT_EQ(list->PartialLocate(3), nullptr);
    EXPECT_THROW(list->PartialLocate(Variant::Null()), ETovObjectListError);
}

TEST_F(LocateTest, FindOnTheFirstFields) {
    std::unique_ptr<TTestRow> key(NewRow(2, "zzz"));
    EXPECT_EQ(list->FindItem(*key), nullptr);
    TTovObjectItem* found = list->Find(*key, 1);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Number(found), 2);
}

TEST_F(LocateTest, LocateOrAddInsertsTheKeyAndLeavesTheCursorOnIt) {
    std::unique_ptr<TTestPerson> owner(CreateItem<TTestPerson>(nullptr));
    TTovObjectItem* added = list->LocateOrAdd(Variant::Array({"3", "c"}), owner.get());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Number(added), 3);
    EXPECT_EQ(Text(added), "c");
    EXPECT_EQ(added->Owner(), owner.get());
    EXPECT_EQ(list->Current(), added);
    EXPECT_EQ(list->Count(), 4);

    TTovObjectItem* again = list->LocateOrAdd(Variant::Array({3, "c"}), nullptr);
    EXPECT_EQ(again, added);
    EXPECT_EQ(list->Count(), 4);
}

TEST(DateKeyTest, LocateOrAddRoundsFloatKeysToSevenDecimals) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Stamp");
    auto* added = static_cast<TTestRow*>(list->LocateOrAdd(45356.123456789, nullptr));
    EXPECT_DOUBLE_EQ(added->Stamp.value, 45356.1234568);
}

TEST(DateKeyTest, DateTimesDifferingBelowTheRoundingAreEqual) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Stamp");
    const double stamp = March5 + 14.5 / 24;
    list->Add(StampRow(stamp));
    EXPECT_THROW(list->Add(StampRow(stamp + 1e-9)), Exception);
    // Fractions of a second are dropped too: keys compare to the second.
    EXPECT_THROW(list->Add(StampRow(stamp + 0.4 * OneSecond)), Exception);
    EXPECT_NE(list->Locate(TDateTime(stamp + 1e-9)), nullptr);
    EXPECT_NE(list->Locate("2024-03-05T14:30:00+10:00"), nullptr);

    list->Add(StampRow(stamp + OneSecond));
    list->Add(StampRow(stamp - OneSecond));
    EXPECT_EQ(list->Count(), 3);
}

TEST(DateKeyTest, AdjacentWholeSecondsAreDistinctKeys) {
    // 14:30:01 rounded to 7 decimals is 14:30:00.996; it must still be its own second.
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Stamp");
    const double start = March5 + 14.5 / 24;
    for (int second = 0; second < 120; ++second) {
        list->Add(StampRow(start + second * OneSecond, second));
    }
    std::vector<int> tags(120);
    std::iota(tags.begin(), tags.end(), 0);
    EXPECT_EQ(Column(*list, &TTestRow::Tag), tags);
    auto* found = static_cast<TTestRow*>(list->Locate("2024-03-05T14:30:01+10:00"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Tag, 1);
}

TEST(DateKeyTest, AKeyStoredByLocateOrAddIsFoundAgain) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Stamp");
    for (int second = 0; second < 60; ++second) {
        const double stamp = March5 + 14.5 / 24 + second * OneSecond;
        TTovObjectItem* added = list->LocateOrAdd(TDateTime(stamp), nullptr);
        EXPECT_EQ(list->Locate(TDateTime(stamp)), added);
        EXPECT_EQ(list->LocateOrAdd(TDateTime(stamp), nullptr), added);
    }
    EXPECT_EQ(list->Count(), 60);
}

TEST(DateKeyTest, AnyValueEqualsItsStoredRounding) {
    // Values spread over the second, thickest near its edges where the rounding matters.
    std::vector<double> offsets;
    for (int ms = 0; ms < 1000; ms += 7) {
        offsets.push_back(ms / 1000.0);
    }
    for (double edge : {0.0, 0.9955, 0.9956, 0.9957, 0.9999, 0.0043, 0.0044, 0.0045}) {
        offsets.push_back(edge);
    }
    for (double offset : offsets) {
        const double stamp = March5 + (14.5 * 3600 + offset) / 86400.0;
        TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Stamp");
        TTovObjectItem* stored = list->LocateOrAdd(TDateTime(stamp), nullptr);
        EXPECT_EQ(list->Locate(TDateTime(stamp)), stored) << offset;
        list->Add(StampRow(stamp + 2 * OneSecond));
        list->Add(StampRow(stamp - 2 * OneSecond));
        EXPECT_EQ(list->Count(), 3) << offset;
    }
}

TEST(DateKeyTest, KeySecondsOfWholeAndRoundedSeconds) {
    // 5 March 2024 14:30:01 is second 45356 * 86400 + 52201 = 3918810601.
    const double at143001 = March5 + 52201 * OneSecond;
    EXPECT_EQ(DateKeySeconds(at143001), 3918810601.0);
    EXPECT_EQ(DateKeySeconds(45356.6041782), 3918810601.0); // 14:30:00.996, its 7-digit rounding
    EXPECT_EQ(DateKeySeconds(at143001 - 0.5 * OneSecond), 3918810600.0);
    EXPECT_EQ(DateKeySeconds(at143001 + 0.9 * OneSecond), 3918810601.0);
    EXPECT_EQ(DateKeySeconds(March5), 3918758400.0);
}

TEST(DateKeyTest, DatesLocateFromTheirTexts) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Day");
    for (double day : {March5, March5 - 5, March5 + 30}) {
        std::unique_ptr<TTestRow> row = NewRow(static_cast<int>(day));
        row->Day = TDate(day);
        list->Add(std::move(row));
    }
    auto* leapDay = static_cast<TTestRow*>(list->Locate("29/02/2024"));
    ASSERT_NE(leapDay, nullptr);
    EXPECT_EQ(leapDay->Day.value, March5 - 5);
    EXPECT_NE(list->Locate("2024-04-04"), nullptr);
    EXPECT_EQ(list->Locate("2024-04-05"), nullptr);
}

TEST(KeyKindTest, Int64KeysCompareBySign) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Wide");
    for (std::int64_t wide : {INT64_MAX, std::int64_t{0}, INT64_MIN, std::int64_t{-1}}) {
        std::unique_ptr<TTestRow> row = NewRow(0);
        row->Wide = wide;
        list->Add(std::move(row));
    }
    EXPECT_EQ(Column(*list, &TTestRow::Wide),
              (std::vector<std::int64_t>{INT64_MIN, -1, 0, INT64_MAX}));
}

TEST(KeyKindTest, TextKeysAreCaseSensitiveByCharacterCode) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Text");
    for (const char* text : {"b", "B", "a", "ab", "\xE9"}) {
        list->Add(NewRow(0, text));
    }
    EXPECT_EQ(Column(*list, &TTestRow::Text),
              (std::vector<std::string>{"B", "a", "ab", "b", "\xE9"}));
    EXPECT_EQ(list->Locate("A"), nullptr);
}

} // namespace
} // namespace duebell::testing
