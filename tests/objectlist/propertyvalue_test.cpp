// Reading and writing published properties through variants: the conversion rules by kind.
#include "objectlist/exceptions.h"
#include "objectlist/propertytext.h"
#include "testrecords.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace duebell::testing {
namespace {

// 5 March 2024 is day 45356 (1 January 2024 is 45292; + 31 + 29 + 4); 14:30 is 29/48 of a day.
constexpr double March5 = 45356.0;
constexpr double HalfPastTwoPm = 29.0 / 48.0;

class PropertyValueTest : public ::testing::Test {
protected:
    std::unique_ptr<TTestPerson> person{CreateItem<TTestPerson>(nullptr)};
};

TEST_F(PropertyValueTest, BooleanTextsInAnyCaseAndNumbers) {
    for (const Variant& yes : {Variant("yes"), Variant("T"), Variant("1"), Variant(true),
                               Variant("TRUE"), Variant("y"), Variant("True"), Variant(7)}) {
        person->Active = false;
        person->SetPropertyValue("Active", yes);
        EXPECT_TRUE(person->Active) << yes.AsString();
    }
    for (const Variant& no :
         {Variant(""), Variant("no"), Variant("F"), Variant("0"), Variant::Null(), Variant(),
          Variant(false), Variant("FALSE"), Variant("n")}) {
        person->Active = true;
        person->SetPropertyValue("Active", no);
        EXPECT_FALSE(person->Active) << no.TypeName();
    }
}

TEST_F(PropertyValueTest, BooleanTextThatIsNoBooleanRaisesConversionError) {
    person->Active = true;
    EXPECT_THROW(person->SetPropertyValue("Active", "maybe"), EConvertError);
    EXPECT_TRUE(person->Active);
}

TEST_F(PropertyValueTest, EnumerationsAndIntegersTakeOrdinals) {
    person->SetPropertyValue("Colour", "2");
    EXPECT_EQ(person->Colour, tcBlue);
    person->SetPropertyValue("Colour", Variant::Null());
    EXPECT_EQ(person->Colour, tcRed);
    person->SetPropertyValue("Age", "42");
    EXPECT_EQ(person->Age, 42);
    person->SetPropertyValue("Age", 42.5); // half to even
    EXPECT_EQ(person->Age, 42);
    person->SetPropertyValue("Age", 43.5);
    EXPECT_EQ(person->Age, 44);
    person->SetPropertyValue("Age", "");
    EXPECT_EQ(person->Age, 0);
    EXPECT_THROW(person->SetPropertyValue("Age", "forty"), EConvertError);
    EXPECT_THROW(person->SetPropertyValue("Age", "4294967296"), EConvertError);
}

TEST_F(PropertyValueTest, ZeroTextsStoreZeroIntoEveryFloatKind) {
    for (const char* text : {"EPS", "eps", "ZERO", "Zero", "NO_DATA", "no_data"}) {
        person->Ratio = 1.5;
        person->Balance = Currency::fromUnits(9);
        person->Rate = TPercentage{Currency::fromUnits(7)};
        person->Born = TDate(March5);
        person->Added = TDateTime(March5);
        for (const char* name : {"Ratio", "Balance", "Rate", "Born", "Added"}) {
            person->SetPropertyValue(name, text);
        }
        EXPECT_EQ(person->Ratio, 0.0) << text;
        EXPECT_TRUE(person->Balance.isZero()) << text;
        EXPECT_TRUE(person->Rate.value.isZero()) << text;
        EXPECT_EQ(person->Born.value, 0.0) << text;
        EXPECT_EQ(person->Added.value, 0.0) << text;
    }
}

TEST_F(PropertyValueTest, DatesReadTheShortFormatAndTheXmlFormWhoseOffsetIsIgnored) {
    struct Row {
        const char* property;
        const char* text;
        double expected;
    };
    const Row rows[] = {
        {"Added", "2024-03-05T14:30:00+10:00", March5 + HalfPastTwoPm},
        {"Born", "2024-03-05T14:30:00+10:00", March5},
        {"Added", "2024-03-05T14:30:00-05:00", March5 + HalfPastTwoPm},
        {"Added", "2024-03-05T14:30:00Z", March5 + HalfPastTwoPm},
        {"Added", "2024-03-05", March5},
        {"Born", "05/03/2024", March5},
        {"Added", "05/03/2024 14:30", March5 + HalfPastTwoPm},
        {"Born", "29/02/2024", March5 - 5}, // leap day, through both forms
        {"Born", "2024-02-29", March5 - 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.property) + " " + row.text);
        person->Born = TDate(1);
        person->Added = TDateTime(1);
        person->SetPropertyValue(row.property, row.text);
        const double stored =
            std::string(row.property) == "Born" ? person->Born.value : person->Added.value;
        EXPECT_NEAR(stored, row.expected, 1e-9);
    }
}

TEST_F(PropertyValueTest, UnreadableDatesRaiseConversionError) {
    person->Born = TDate(March5);
    for (const char* text : {"yesterday", "2023-02-29", "2024-13-01", "2024-03", "31/02/2024",
                             "2024-03-05T25:00:00"}) {
        EXPECT_THROW(person->SetPropertyValue("Born", text), EConvertError) << text;
    }
    EXPECT_EQ(person->Born.value, March5);
}

TEST_F(PropertyValueTest, NumericDatesAreRoundedToSevenDecimalsBeforeTruncation) {
    person->SetPropertyValue("Born", March5 + 0.99999999); // rounds up to the next day
    EXPECT_EQ(person->Born.value, March5 + 1);
    person->SetPropertyValue("Born", March5 + 0.9999);
    EXPECT_EQ(person->Born.value, March5);
    person->SetPropertyValue("Added", 45356.123456789);
    EXPECT_DOUBLE_EQ(person->Added.value, 45356.1234568);
    person->SetPropertyValue("Born", TDateTime(March5 + HalfPastTwoPm));
    EXPECT_EQ(person->Born.value, March5);
}

TEST_F(PropertyValueTest, MoneyFromTextIsExactAndOtherFloatsUnrounded) {
    person->SetPropertyValue("Balance", "1250.10");
    EXPECT_EQ(person->Balance.raw(), 12501000);
    person->SetPropertyValue("Balance", "0.0001");
    EXPECT_EQ(person->Balance.raw(), 1);
    person->SetPropertyValue("Rate", "7.75");
    EXPECT_EQ(person->Rate.value.raw(), 77500);
    person->SetPropertyValue("Balance", 19.99);
    EXPECT_EQ(person->Balance.raw(), 199900);
    person->SetPropertyValue("Ratio", 1.0 / 3.0);
    EXPECT_EQ(person->Ratio, 1.0 / 3.0);
    EXPECT_THROW(person->SetPropertyValue("Balance", "$12"), EConvertError);
}

TEST_F(PropertyValueTest, ReadsGiveOrdinalsRoundedFloatsTextsAndRealInt64) {
    person->Ratio = 1.0 / 3.0;
    person->Balance = Currency::fromRaw(12345678); // 1234.5678
    person->Big = 9007199254740993;                // 2^53 + 1: no exact double
    person->Active = true;
    person->Colour = tcGreen;
    person->Initial = 'Z';
    person->Code = "0000042";

    EXPECT_EQ(person->GetPropertyValue("Ratio").AsDouble(), 0.3333333);
    EXPECT_EQ(person->GetPropertyValue("Balance").AsDouble(), 1234.5678);
    Variant big = person->GetPropertyValue("Big");
    EXPECT_EQ(big.Type(), VariantType::Double);
    EXPECT_EQ(big.AsDouble(), 9007199254740992.0);
    EXPECT_EQ(person->GetPropertyValue("active").AsInteger(), 1);
    EXPECT_EQ(person->GetPropertyValue("Colour").AsInteger(), 1);
    EXPECT_EQ(person->GetPropertyValue("Initial").AsInteger(), 'Z');
    EXPECT_EQ(person->GetPropertyValue("CODE").AsString(), "0000042");
    EXPECT_EQ(person->GetPropertyValue("Address").AsObject(), person->Address.get());
    EXPECT_TRUE(person->GetPropertyValue("NoSuchProperty").IsEmpty());
    EXPECT_TRUE(person->GetPropInfoValue(nullptr).IsEmpty());
}

TEST_F(PropertyValueTest, TextsCharsAndInt64) {
    person->SetPropertyValue("Code", 42);
    EXPECT_EQ(person->Code, "42");
    person->SetPropertyValue("Code", Variant::Null());
    EXPECT_EQ(person->Code, "");
    person->SetPropertyValue("Initial", "XYZ");
    EXPECT_EQ(person->Initial, 'X');
    person->SetPropertyValue("Big", "9007199254740993");
    EXPECT_EQ(person->Big, 9007199254740993);
    person->SetPropertyValue("Big", Variant());
    EXPECT_EQ(person->Big, 0);
}

TEST_F(PropertyValueTest, MissingPropertyRaisesInvalidPropertyName) {
    try {
        person->SetPropertyValue(static_cast<const TTovPropInfo*>(nullptr), "x");
        FAIL() << "no exception";
    } catch (const ETovObjectListError& e) {
        EXPECT_STREQ(e.what(), "Invalid property name");
    }
    EXPECT_THROW(person->SetPropertyValue("Nope", "x"), ETovObjectListError);
}

TEST_F(PropertyValueTest, ReadOnlyPropertyIsLeftUntouched) {
    person->SetPropertyValue("Secret", "changed");
    EXPECT_EQ(person->Secret, "kept");
}

TEST_F(PropertyValueTest, GetterAndSetterProperty) {
    person->SetPropertyValue("Months", "30");
    EXPECT_EQ(person->Age, 2);
    EXPECT_EQ(person->GetPropertyValue("Months").AsInteger(), 24);
}

TEST_F(PropertyValueTest, TextNeverReplacesASubRecord) {
    TTestAddress* address = person->Address.get();
    for (const Variant& value : {Variant("Hilltop"), Variant(), Variant::Null(), Variant(0)}) {
        EXPECT_THROW(person->SetPropertyValue("Address", value), ETovObjectListError);
        EXPECT_EQ(person->Address.get(), address);
    }
    // An object of another class is refused too.
    std::unique_ptr<TTestChild> child(CreateItem<TTestChild>(nullptr));
    EXPECT_THROW(person->SetPropertyValue("Address", Variant(child.get())), ETovObjectListError);
    EXPECT_EQ(person->Address.get(), address);
}

TEST_F(PropertyValueTest, AnObjectValueHandsTheSubRecordToTheHolder) {
    auto* replacement = CreateItem<TTestAddress>(person.get());
    replacement->Suburb = "Hilltop";
    person->SetPropertyValue("Address", Variant(replacement));
    EXPECT_EQ(person->Address.get(), replacement);
    // A reference is only pointed at.
    std::unique_ptr<TTestPerson> other(CreateItem<TTestPerson>(nullptr));
    person->SetPropertyValue("Friend", Variant(other.get()));
    EXPECT_EQ(person->Friend, other.get());
}

TEST_F(PropertyValueTest, APropertyOfAnotherClassIsRefused) {
    std::unique_ptr<TTestRow> row(CreateItem<TTestRow>(nullptr));
    const TTovPropInfo* number = row->ItemManager().FindPropInfo("Number");
    EXPECT_THROW(person->SetPropertyValue(number, 1), Exception);
    EXPECT_THROW(person->GetPropInfoValue(number), Exception);
}

TEST(PropertyTextTest, ReplaceChar) {
    EXPECT_EQ(ReplaceChar("14:30:00", ':', '.'), "14.30.00");
    EXPECT_EQ(ReplaceChar("14:30", ':', ':'), "14:30");
    EXPECT_EQ(ReplaceChar("", ':', '.'), "");
}

TEST(PropertyTextTest, StrToDateTimeXmlAtMonthEnds) {
    EXPECT_EQ(StrToDateTimeXML("2023-12-31"), 45291.0);
    EXPECT_EQ(StrToDateTimeXML("2024-01-01"), 45292.0);
    EXPECT_EQ(StrToDateTimeXML("1899-12-30"), 0.0);
    EXPECT_NEAR(StrToDateTimeXML("2024-01-01T06:00:00+10:00"), 45292.25, 1e-9);
    EXPECT_THROW(StrToDateTimeXML("2024-02-30"), EConvertError);
    EXPECT_THROW(StrToDateTimeXML(""), EConvertError);
}

} // namespace
} // namespace duebell::testing
