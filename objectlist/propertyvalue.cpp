// The value conversions of records: reading a property as a variant, writing one from a
// variant or text by the property's kind, and copying one record into another.
#include "objectlist/exceptions.h"
#include "objectlist/objectitem.h"
#include "objectlist/objectlist.h"
#include "objectlist/propertytext.h"
#include "objectlist/rounding.h"

#include <cmath>

namespace duebell {

namespace {

constexpr int StoredDigits = 7;

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

// The Boolean texts in any case; anything else is read as an integer.
std::int32_t BooleanOrdinal(const Variant& value) {
    switch (value.Type()) {
    case VariantType::Boolean:
    case VariantType::Integer:
        return value.AsInteger();
    default:
        break;
    }
    std::string text = value.AsString();
    std::string upper = UpperAscii(text);
    if (upper == "N" || upper == "F" || upper == "NO" || upper == "FALSE") {
        return 0;
    }
    if (upper == "Y" || upper == "T" || upper == "YES" || upper == "TRUE") {
        return 1;
    }
    return Variant(text).AsInteger();
}

// Texts that files use for "no figure".
bool IsZeroText(const Variant& value) {
    if (!value.IsString()) {
        return false;
    }
    std::string upper = UpperAscii(value.AsString());
    return upper == "NO_DATA" || upper == "EPS" || upper == "ZERO";
}

// A date-time from a variant: text through the date reader, unrounded; numbers to 7 decimals.
double DateTimeValue(const Variant& value) {
    if (value.IsString()) {
        return StrToDateTimeXML(value.AsString());
    }
    return RoundToDigits(StoredDigits, value.AsDouble());
}

void SetFloatValue(TTovObjectItem& item, const TTovPropInfo& prop, const Variant& value) {
    const bool money = prop.FloatType() == TTovFloatType::Currency ||
                       prop.FloatType() == TTovFloatType::Percentage;
    if (value.IsNullLike() || IsZeroText(value)) {
        if (money) {
            prop.SetCurrency(item, Currency());
        } else {
            prop.SetFloat(item, 0.0);
        }
        return;
    }
    switch (prop.FloatType()) {
    case TTovFloatType::DateTime:
        prop.SetFloat(item, DateTimeValue(value));
        break;
    case TTovFloatType::Date:
        prop.SetFloat(item, std::trunc(RoundToDigits(StoredDigits, DateTimeValue(value))));
        break;
    case TTovFloatType::Currency:
    case TTovFloatType::Percentage:
        prop.SetCurrency(item, value.AsCurrency());
        break;
    case TTovFloatType::Double:
        prop.SetFloat(item, value.AsDouble());
        break;
    }
}

void CheckOwnProperty(const TTovObjectItem& item, const TTovPropInfo& prop) {
    const TTovObjectItemManager& manager = item.ItemManager();
    if (prop.Index() >= manager.PropCount() || &manager.PropInfo(prop.Index()) != &prop) {
        throw InternalError("Property \"" + prop.Name() + "\" is not a property of class " +
                            manager.ClassName() + ".");
    }
}

} // namespace

Variant TTovObjectItem::GetPropertyValue(std::string_view name) const {
    return GetPropInfoValue(ItemManager().FindPropInfo(name));
}

Variant TTovObjectItem::GetPropInfoValue(const TTovPropInfo* prop) const {
    if (prop == nullptr) {
        return {};
    }
    CheckOwnProperty(*this, *prop);
    switch (prop->Kind()) {
    case TTovPropertyKind::Integer:
    case TTovPropertyKind::Char:
    case TTovPropertyKind::Enumeration:
        return Variant(prop->GetOrdinal(*this));
    case TTovPropertyKind::Float:
        return Variant(RoundToDigits(StoredDigits, prop->GetFloat(*this)));
    case TTovPropertyKind::String:
        return Variant(prop->GetString(*this));
    case TTovPropertyKind::Int64:
        return Variant(static_cast<double>(prop->GetInt64(*this)));
    case TTovPropertyKind::Class:
        return Variant(prop->GetObject(*this));
    }
    return {};
}

void TTovObjectItem::SetPropertyValue(std::string_view name, const Variant& value) {
    SetPropertyValue(ItemManager().FindPropInfo(name), value);
}

void TTovObjectItem::SetPropertyValue(const TTovPropInfo* prop, const Variant& value) {
    if (prop == nullptr) {
        throw ETovObjectListError("Invalid property name");
    }
    CheckOwnProperty(*this, *prop);
    if (!prop->HasSetter()) {
        return;
    }
    switch (prop->Kind()) {
    case TTovPropertyKind::Integer:
        prop->SetOrdinal(*this, value.IsNullLike() ? 0 : value.AsInteger());
        break;
    case TTovPropertyKind::Enumeration:
        if (value.IsNullLike()) {
            prop->SetOrdinal(*this, 0);
        } else {
            prop->SetOrdinal(*this, prop->IsBoolean() ? BooleanOrdinal(value) : value.AsInteger());
        }
        break;
    case TTovPropertyKind::Char:
    case TTovPropertyKind::String:
        prop->SetString(*this,
                        value.IsEmpty() || value.IsNull() ? std::string() : value.AsString());
        break;
    case TTovPropertyKind::Float:
        SetFloatValue(*this, *prop, value);
        break;
    case TTovPropertyKind::Int64:
        prop->SetInt64(*this, value.IsEmpty() || value.IsNull() ? 0 : value.AsInt64());
        break;
    case TTovPropertyKind::Class:
        // Only an object may replace an object: a text or number never frees a sub-record.
        if (value.Type() != VariantType::Object) {
            throw ETovObjectListError("Property \"" + prop->Name() + "\" of class " + ClassName() +
                                      " holds an object, not a " + value.TypeName());
        }
        prop->SetObject(*this, value.AsObject());
        break;
    }
}

void TTovObjectItem::AssignProperties(const TTovObjectItem& source, bool skipSubObjects,
                                      bool clearLists, bool shareSubObjects, bool skipLists) {
    if (shareSubObjects) {
        // Two records holding one sub-record would both free it.
        throw InternalError("Sub-records cannot be shared between records.");
    }
    if (&source == this) {
        return;
    }
    if (!source.ItemManager().InheritsFrom(ItemManager())) {
        throw InternalError("A record of class " + source.ClassName() +
                            " cannot be copied into a record of class " + ClassName() + ".");
    }
    for (const TTovPropInfo* prop : ItemManager().Properties()) {
        if (!prop->HasSetter()) {
            continue;
        }
        switch (prop->Kind()) {
        case TTovPropertyKind::Integer:
        case TTovPropertyKind::Char:
        case TTovPropertyKind::Enumeration:
            prop->SetOrdinal(*this, prop->GetOrdinal(source));
            break;
        case TTovPropertyKind::String:
            prop->SetString(*this, prop->GetString(source));
            break;
        case TTovPropertyKind::Float:
            if (prop->FloatType() == TTovFloatType::Currency ||
                prop->FloatType() == TTovFloatType::Percentage) {
                prop->SetCurrency(*this, prop->GetCurrency(source));
            } else {
                prop->SetFloat(*this, prop->GetFloat(source));
            }
            break;
        case TTovPropertyKind::Int64:
            prop->SetInt64(*this, prop->GetInt64(source));
            break;
        case TTovPropertyKind::Class:
            if (prop->ObjectKind() == TTovObjectKind::SubRecord && !skipSubObjects) {
                auto* from = dynamic_cast<TTovObjectItem*>(prop->GetObject(source));
                auto* to = dynamic_cast<TTovObjectItem*>(prop->GetObject(*this));
                if (from != nullptr && to != nullptr) {
                    to->AssignProperties(*from, skipSubObjects, clearLists, false, skipLists);
                }
            } else if (prop->ObjectKind() == TTovObjectKind::ChildList && !skipLists) {
                auto* from = dynamic_cast<TTovObjectList*>(prop->GetObject(source));
                auto* to = dynamic_cast<TTovObjectList*>(prop->GetObject(*this));
                if (from != nullptr && to != nullptr) {
                    to->AssignList(*from, this, clearLists, false, skipLists, skipSubObjects);
                }
            }
            break;
        }
    }
}

} // namespace duebell
