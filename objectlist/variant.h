// The value that crosses between records, controls and files: empty, null, a Boolean, a
// number, money, a date, a text, an object reference, or an array of values (the key values
// of a locate). Conversions between the kinds follow the program's fixed formats and never
// consult the locale; a conversion that cannot be made raises EConvertError.
#pragma once

#include "objectlist/currency.h"
#include "objectlist/datetime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace duebell {

class TTovObject;

enum class VariantType {
    Empty,
    Null,
    Boolean,
    Integer, // 32-bit
    Int64,
    Double,
    Currency,
    Date,     // TDate
    DateTime, // TDateTime
    String,
    Object,
    Array,
};

class Variant {
public:
    Variant() = default; // empty
    Variant(bool value) : value_(value) {}
    Variant(int value) : value_(static_cast<std::int32_t>(value)) {}
    Variant(long value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(long long value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(double value) : value_(value) {}
    Variant(Currency value) : value_(value) {}
    Variant(TPercentage value) : value_(value.value) {}
    Variant(TDate value) : value_(value) {}
    Variant(TDateTime value) : value_(value) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::string_view text) : value_(std::string(text)) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(TTovObject* object) : value_(object) {}

    static Variant Null();
    static Variant Array(std::vector<Variant> values);

    VariantType Type() const { return static_cast<VariantType>(value_.index()); }
    bool IsEmpty() const { return Type() == VariantType::Empty; }
    bool IsNull() const { return Type() == VariantType::Null; }
    bool IsArray() const { return Type() == VariantType::Array; }
    bool IsString() const { return Type() == VariantType::String; }
    // Null or empty, an empty text, or the one-character text holding character code 0:
    // the values a property reads as "nothing".
    bool IsNullLike() const;

    // Conversions. Text reads as a number in the fixed "." format; Booleans read as -1 and 0;
    // dates as their day number. Anything that does not convert raises EConvertError.
    std::string AsString() const;
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    Currency AsCurrency() const; // text is read exactly, to the fourth decimal
    TTovObject* AsObject() const;
    const std::vector<Variant>& AsArray() const;

    // The type's name as the conversion messages show it: "String", "Integer", ...
    std::string TypeName() const;

private:
    struct EmptyValue {};
    struct NullValue {};
    using ArrayValue = std::shared_ptr<const std::vector<Variant>>;

    [[noreturn]] void ConversionFailed(std::string_view target) const;

    std::variant<EmptyValue, NullValue, bool, std::int32_t, std::int64_t, double, Currency, TDate,
                 TDateTime, std::string, TTovObject*, ArrayValue>
        value_;
};

} // namespace duebell
