#include "objectlist/propinfo.h"

#include "objectlist/exceptions.h"

namespace duebell {

void TTovPropInfo::WrongAccess(std::string_view family) const {
    throw InternalError("Property \"" + name_ + "\" of type " + typeName_ + " has no " +
                        std::string(family) + " value.");
}

std::int32_t TTovPropInfo::GetOrdinal(const TTovObjectItem& item) const {
    if (!getOrdinal_) {
        WrongAccess("ordinal");
    }
    return getOrdinal_(item);
}

void TTovPropInfo::SetOrdinal(TTovObjectItem& item, std::int32_t value) const {
    if (!getOrdinal_) {
        WrongAccess("ordinal");
    }
    if (setOrdinal_) {
        setOrdinal_(item, value);
    }
}

double TTovPropInfo::GetFloat(const TTovObjectItem& item) const {
    if (!getFloat_) {
        WrongAccess("float");
    }
    return getFloat_(item);
}

void TTovPropInfo::SetFloat(TTovObjectItem& item, double value) const {
    if (!getFloat_) {
        WrongAccess("float");
    }
    if (setFloat_) {
        setFloat_(item, value);
    }
}

Currency TTovPropInfo::GetCurrency(const TTovObjectItem& item) const {
    if (!getCurrency_) {
        WrongAccess("currency");
    }
    return getCurrency_(item);
}

void TTovPropInfo::SetCurrency(TTovObjectItem& item, Currency value) const {
    if (!getCurrency_) {
        WrongAccess("currency");
    }
    if (setCurrency_) {
        setCurrency_(item, value);
    }
}

std::string TTovPropInfo::GetString(const TTovObjectItem& item) const {
    if (!getString_) {
        WrongAccess("string");
    }
    return getString_(item);
}

std::string_view TTovPropInfo::GetStringView(const TTovObjectItem& item,
                                             std::string& scratch) const {
    if (stringField_) {
        return *stringField_(item);
    }
    scratch = GetString(item);
    return scratch;
}

void TTovPropInfo::SetString(TTovObjectItem& item, std::string value) const {
    if (!getString_) {
        WrongAccess("string");
    }
    if (setString_) {
        setString_(item, std::move(value));
    }
}

std::int64_t TTovPropInfo::GetInt64(const TTovObjectItem& item) const {
    if (!getInt64_) {
        WrongAccess("Int64");
    }
    return getInt64_(item);
}

void TTovPropInfo::SetInt64(TTovObjectItem& item, std::int64_t value) const {
    if (!getInt64_) {
        WrongAccess("Int64");
    }
    if (setInt64_) {
        setInt64_(item, value);
    }
}

TTovObject* TTovPropInfo::GetObject(const TTovObjectItem& item) const {
    if (!getObject_) {
        WrongAccess("object");
    }
    return getObject_(item);
}

void TTovPropInfo::SetObject(TTovObjectItem& item, TTovObject* value) const {
    if (!getObject_) {
        WrongAccess("object");
    }
    if (setObject_) {
        setObject_(item, value);
    }
}

} // namespace duebell
