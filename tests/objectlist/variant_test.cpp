// The variant value: conversions between kinds, in the program's fixed formats.
#include "objectlist/exceptions.h"
#include "objectlist/variant.h"

#include <functional>
#include <gtest/gtest.h>

namespace duebell {
namespace {

std::string ConversionError(const std::function<void()>& convert) {
    try {
        convert();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "no error";
}

TEST(VariantTest, NullLikeValues) {
    EXPECT_TRUE(Variant().IsNullLike());
    EXPECT_TRUE(Variant::Null().IsNullLike());
    EXPECT_TRUE(Variant("").IsNullLike());
    EXPECT_TRUE(Variant(std::string(1, '\0')).IsNullLike());
    EXPECT_FALSE(Variant(" ").IsNullLike());
    EXPECT_FALSE(Variant(0).IsNullLike());
    EXPECT_FALSE(Variant(std::string("\0x", 2)).IsNullLike());
}

TEST(VariantTest, TextsReadAsNumbers) {
    EXPECT_EQ(Variant("42").AsInteger(), 42);
    EXPECT_EQ(Variant(" -7").AsInteger(), -7);
    EXPECT_EQ(Variant("12.5").AsInteger(), 12); // half to even
    EXPECT_EQ(Variant("13.5").AsInteger(), 14);
    EXPECT_EQ(Variant("2.675").AsDouble(), 2.675);
    EXPECT_EQ(Variant("1250.1234").AsCurrency().raw(), 12501234);
    EXPECT_EQ(Variant("9223372036854775807").AsInt64(), INT64_MAX);
    EXPECT_EQ(ConversionError([] { Variant("maybe").AsInteger(); }),
              "Could not convert variant of type (String) into type (Integer)");
    EXPECT_EQ(ConversionError([] { Variant("1,5").AsDouble(); }),
              "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(ConversionError([] { Variant("2147483648").AsInteger(); }),
              "Could not convert variant of type (String) into type (Integer)");
}

TEST(VariantTest, NumbersAndBooleansConvert) {
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant(false).AsDouble(), 0.0);
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);
    EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
    EXPECT_EQ(Variant(Currency::fromRaw(25000)).AsInt64(), 2); // 2.5 -> 2
    EXPECT_EQ(Variant(Currency::fromRaw(35000)).AsInt64(), 4); // 3.5 -> 4
    EXPECT_EQ(Variant(Currency::fromRaw(-35001)).AsInt64(), -4);
    EXPECT_EQ(Variant(7).AsCurrency().raw(), 70000);
    EXPECT_EQ(Variant(0.1).AsCurrency().raw(), 1000);
    EXPECT_EQ(Variant().AsInteger(), 0);
    EXPECT_EQ(ConversionError([] { Variant(3e10).AsInteger(); }),
              "Could not convert variant of type (Double) into type (Integer)");
    EXPECT_THROW(Variant::Null().AsDouble(), EConvertError);
}

TEST(VariantTest, ValuesAsText) {
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant(-12).AsString(), "-12");
    EXPECT_EQ(Variant(0.1).AsString(), "0.1");
    EXPECT_EQ(Variant(1.0 / 3.0).AsString(), "0.333333333333333");
    EXPECT_EQ(Variant(Currency::fromRaw(125000)).AsString(), "12.5");
    EXPECT_EQ(Variant(TDate(45356)).AsString(), "05/03/2024");
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(ConversionError([] { Variant::Null().AsString(); }),
              "Could not convert variant of type (Null) into type (String)");
}

TEST(VariantTest, ArraysAndObjects) {
    Variant array = Variant::Array({1, "two", 3.0});
    ASSERT_TRUE(array.IsArray());
    ASSERT_EQ(array.AsArray().size(), 3u);
    EXPECT_EQ(array.AsArray()[1].AsString(), "two");
    Variant copy = array;
    EXPECT_EQ(copy.AsArray()[0].AsInteger(), 1);
    EXPECT_THROW(Variant(1).AsArray(), EConvertError);
    EXPECT_THROW(array.AsString(), EConvertError);
    EXPECT_EQ(Variant(static_cast<TTovObject*>(nullptr)).Type(), VariantType::Object);
    EXPECT_THROW(Variant("x").AsObject(), EConvertError);
}

} // namespace
} // namespace duebell
