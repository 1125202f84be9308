// A published property of a record class: its name, kind and typed accessors. Generic code
// (copying, comparing, sorting, the XML store, grids, the control binder) never knows a record
// class; it walks the class's table of these and reads and writes values by kind.
//
// The kinds, and the C++ types a record class may publish for each:
//   Integer      std::int32_t
//   Char         char (one character; reads as its code or as a one-character text)
//   Enumeration  bool (IsBoolean) or any enum type; held as its ordinal
//   Float        double, TDate, TDateTime, Currency, TPercentage (told apart by FloatType)
//   String       std::string
//   Int64        std::int64_t
//   Class        an owned sub-record, an owned child list, or a plain object reference
// Any other type is refused when the class declares it (it does not compile).
#pragma once

#include "objectlist/currency.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace duebell {

class TTovObject;
class TTovObjectItem;
class TTovObjectItemManager;

enum class TTovPropertyKind { Integer, Char, Enumeration, Float, String, Int64, Class };

enum class TTovFloatType { Double, Date, DateTime, Currency, Percentage };

enum class TTovObjectKind {
    None,      // not a class property
    SubRecord, // an owned record, freed by its holder
    ChildList, // an owned TTovObjectList, freed with its records by its holder
    Reference, // an object the holder only points at
};

class TTovPropInfo {
public:
    const std::string& Name() const { return name_; }
    TTovPropertyKind Kind() const { return kind_; }
    TTovFloatType FloatType() const { return floatType_; }
    TTovObjectKind ObjectKind() const { return objectKind_; }
    bool IsBoolean() const { return isBoolean_; }
    bool IsDateKind() const {
        return kind_ == TTovPropertyKind::Float &&
               (floatType_ == TTovFloatType::Date || floatType_ == TTovFloatType::DateTime);
    }
    // The declared type's name: "Integer", "Boolean", "TDate", "Currency", an enum's name...
    const std::string& TypeName() const { return typeName_; }
    // False for computed (read-only) properties: setters leave the record untouched.
    bool HasSetter() const { return hasSetter_; }
    // Position in the class's table, inherited properties first.
    int Index() const { return index_; }
    // The record class of a sub-record property (also of a record reference); else nothing.
    TTovObjectItemManager* RecordClass() const { return recordClass_ ? &recordClass_() : nullptr; }

    // Typed access. Each family serves the kinds named; calling it on another kind is a
    // program fault (InternalError). Setters of a read-only property do nothing.
    std::int32_t GetOrdinal(const TTovObjectItem& item) const; // Integer, Char, Enumeration
    void SetOrdinal(TTovObjectItem& item, std::int32_t value) const;
    double GetFloat(const TTovObjectItem& item) const; // Float (money as its double value)
    void SetFloat(TTovObjectItem& item, double value) const;
    Currency GetCurrency(const TTovObjectItem& item) const; // Float: Currency, Percentage
    void SetCurrency(TTovObjectItem& item, Currency value) const;
    std::string GetString(const TTovObjectItem& item) const; // String, Char
    void SetString(TTovObjectItem& item, std::string value) const;
    // The text without a copy when the property is a stored field; computed texts are built
    // into scratch. For the comparison path.
    std::string_view GetStringView(const TTovObjectItem& item, std::string& scratch) const;
    std::int64_t GetInt64(const TTovObjectItem& item) const; // Int64
    void SetInt64(TTovObjectItem& item, std::int64_t value) const;
    TTovObject* GetObject(const TTovObjectItem& item) const; // Class
    // Sub-records and child lists: the record takes ownership of the new object and frees
    // the one it held. References: plain assignment. A value of the wrong class raises
    // ETovObjectListError.
    void SetObject(TTovObjectItem& item, TTovObject* value) const;

private:
    template <class T> friend class TTovPropertyTable;
    friend class TTovObjectItemManager;

    [[noreturn]] void WrongAccess(std::string_view family) const;

    std::string name_;
    TTovPropertyKind kind_ = TTovPropertyKind::Integer;
    TTovFloatType floatType_ = TTovFloatType::Double;
    TTovObjectKind objectKind_ = TTovObjectKind::None;
    bool isBoolean_ = false;
    std::string typeName_;
    bool hasSetter_ = false;
    int index_ = 0;
    // Looked up on use, so a class may refer to itself (or two classes to each other).
    TTovObjectItemManager& (*recordClass_)() = nullptr;

    std::function<std::int32_t(const TTovObjectItem&)> getOrdinal_;
    std::function<void(TTovObjectItem&, std::int32_t)> setOrdinal_;
    std::function<double(const TTovObjectItem&)> getFloat_;
    std::function<void(TTovObjectItem&, double)> setFloat_;
    std::function<Currency(const TTovObjectItem&)> getCurrency_;
    std::function<void(TTovObjectItem&, Currency)> setCurrency_;
    std::function<std::string(const TTovObjectItem&)> getString_;
    std::function<const std::string*(const TTovObjectItem&)> stringField_;
    std::function<void(TTovObjectItem&, std::string)> setString_;
    std::function<std::int64_t(const TTovObjectItem&)> getInt64_;
    std::function<void(TTovObjectItem&, std::int64_t)> setInt64_;
    std::function<TTovObject*(const TTovObjectItem&)> getObject_;
    std::function<void(TTovObjectItem&, TTovObject*)> setObject_;
};

} // namespace duebell
