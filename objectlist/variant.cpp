#include "objectlist/variant.h"

#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <cmath>
#include <limits>

namespace duebell {

namespace {

// Variant conversions to integers round half to even, as the FPU does.
bool RoundHalfEven(double value, double low, double high, double& result) {
    if (!std::isfinite(value)) {
        return false;
    }
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        rounded = 2.0 * std::round(value / 2.0);
    }
    if (rounded < low || rounded > high) {
        return false;
    }
    result = rounded;
    return true;
}

template <class Int> bool DoubleToInt(double value, Int& result) {
    double rounded = 0;
    // The upper bound of int64 is not representable: 2^63 itself is out of range.
    constexpr double high =
        std::numeric_limits<Int>::max() == std::numeric_limits<std::int64_t>::max()
            ? 9223372036854774784.0
            : static_cast<double>(std::numeric_limits<Int>::max());
    if (!RoundHalfEven(value, static_cast<double>(std::numeric_limits<Int>::min()), high,
                       rounded)) {
        return false;
    }
    result = static_cast<Int>(rounded);
    return true;
}

} // namespace

Variant Variant::Null() {
    Variant v;
    v.value_ = NullValue{};
    return v;
}

Variant Variant::Array(std::vector<Variant> values) {
    Variant v;
    v.value_ = std::make_shared<const std::vector<Variant>>(std::move(values));
    return v;
}

bool Variant::IsNullLike() const {
    if (IsEmpty() || IsNull()) {
        return true;
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return text->empty() || (text->size() == 1 && (*text)[0] == '\0');
    }
    return false;
}

std::string Variant::TypeName() const {
    switch (Type()) {
    case VariantType::Empty:
        return "Empty";
    case VariantType::Null:
        return "Null";
    case VariantType::Boolean:
        return "Boolean";
    case VariantType::Integer:
        return "Integer";
    case VariantType::Int64:
        return "Int64";
    case VariantType::Double:
        return "Double";
    case VariantType::Currency:
        return "Currency";
    case VariantType::Date:
    case VariantType::DateTime:
        return "Date";
    case VariantType::String:
        return "String";
    case VariantType::Object:
        return "Object";
    case VariantType::Array:
        return "Array";
    }
    return "Unknown";
}

void Variant::ConversionFailed(std::string_view target) const {
    throw EConvertError("Could not convert variant of type (" + TypeName() + ") into type (" +
                        std::string(target) + ")");
}

std::string Variant::AsString() const {
    switch (Type()) {
    case VariantType::Empty:
        return {};
    case VariantType::Boolean:
        return std::get<bool>(value_) ? "True" : "False";
    case VariantType::Integer:
        return IntToStr(std::get<std::int32_t>(value_));
    case VariantType::Int64:
        return IntToStr(std::get<std::int64_t>(value_));
    case VariantType::Double:
        return FloatToStr(std::get<double>(value_));
    case VariantType::Currency:
        return CurrToStr(std::get<Currency>(value_));
    case VariantType::Date:
        return DateToStr(std::get<TDate>(value_).value);
    case VariantType::DateTime:
        return DateTimeToStr(std::get<TDateTime>(value_).value);
    case VariantType::String:
        return std::get<std::string>(value_);
    default:
        ConversionFailed("String");
    }
}

double Variant::AsDouble() const {
    switch (Type()) {
    case VariantType::Empty:
        return 0.0;
    case VariantType::Boolean:
        return std::get<bool>(value_) ? -1.0 : 0.0;
    case VariantType::Integer:
        return std::get<std::int32_t>(value_);
    case VariantType::Int64:
        return static_cast<double>(std::get<std::int64_t>(value_));
    case VariantType::Double:
        return std::get<double>(value_);
    case VariantType::Currency:
        return std::get<Currency>(value_).toDouble();
    case VariantType::Date:
        return std::get<TDate>(value_).value;
    case VariantType::DateTime:
        return std::get<TDateTime>(value_).value;
    case VariantType::String: {
        double result = 0.0;
        if (TryStrToFloat(std::get<std::string>(value_), result)) {
            return result;
        }
        break;
    }
    default:
        break;
    }
    ConversionFailed("Double");
}

std::int64_t Variant::AsInt64() const {
    switch (Type()) {
    case VariantType::Empty:
        return 0;
    case VariantType::Boolean:
        return std::get<bool>(value_) ? -1 : 0;
    case VariantType::Integer:
        return std::get<std::int32_t>(value_);
    case VariantType::Int64:
        return std::get<std::int64_t>(value_);
    case VariantType::String: {
        std::int64_t result = 0;
        if (TryStrToInt64(std::get<std::string>(value_), result)) {
            return result;
        }
        double number = 0.0;
        if (TryStrToFloat(std::get<std::string>(value_), number) && DoubleToInt(number, result)) {
            return result;
        }
        break;
    }
    case VariantType::Currency: {
        // Whole units, half to even.
        std::int64_t raw = std::get<Currency>(value_).raw();
        std::int64_t units = raw / Currency::Scale;
        std::int64_t rest = raw % Currency::Scale;
        std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
        if (twice > Currency::Scale || (twice == Currency::Scale && units % 2 != 0)) {
            units += raw < 0 ? -1 : 1;
        }
        return units;
    }
    case VariantType::Double:
    case VariantType::Date:
    case VariantType::DateTime: {
        std::int64_t result = 0;
        if (DoubleToInt(AsDouble(), result)) {
            return result;
        }
        break;
    }
    default:
        break;
    }
    ConversionFailed("Int64");
}

std::int32_t Variant::AsInteger() const {
    if (Type() == VariantType::String) {
        int result = 0;
        if (TryStrToInt(std::get<std::string>(value_), result)) {
            return result;
        }
        double number = 0.0;
        if (TryStrToFloat(std::get<std::string>(value_), number) && DoubleToInt(number, result)) {
            return result;
        }
        ConversionFailed("Integer");
    }
    std::int64_t wide = 0;
    try {
        wide = AsInt64();
    } catch (const EConvertError&) {
        ConversionFailed("Integer");
    }
    if (wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max()) {
        ConversionFailed("Integer");
    }
    return static_cast<std::int32_t>(wide);
}

Currency Variant::AsCurrency() const {
    switch (Type()) {
    case VariantType::Currency:
        return std::get<Currency>(value_);
    case VariantType::Empty:
    case VariantType::Boolean:
    case VariantType::Integer:
    case VariantType::Int64:
        return Currency::fromUnits(AsInt64());
    case VariantType::String: {
        Currency result;
        if (TryStrToCurr(std::get<std::string>(value_), result)) {
            return result;
        }
        break;
    }
    case VariantType::Double:
    case VariantType::Date:
    case VariantType::DateTime: {
        double value = AsDouble();
        if (std::isfinite(value) && std::fabs(value) < 922337203685477.0) {
            return Currency::fromDouble(value);
        }
        break;
    }
    default:
        break;
    }
    ConversionFailed("Currency");
}

TTovObject* Variant::AsObject() const {
    if (const auto* object = std::get_if<TTovObject*>(&value_)) {
        return *object;
    }
    ConversionFailed("Object");
}

const std::vector<Variant>& Variant::AsArray() const {
    if (const auto* array = std::get_if<ArrayValue>(&value_)) {
        return **array;
    }
    ConversionFailed("Array");
}

} // namespace duebell
