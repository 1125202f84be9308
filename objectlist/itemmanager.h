// The per-class half of the record library: one TTovObjectItemManager per record class holds
// the class's name, its parent class, its virtual constructor and its table of published
// properties (inherited ones first, then the class's own in declaration order: the order of
// the XML elements). A process-wide registry finds a class by name.
//
// A record class declares its properties once, in a public static DeclareProperties (a private
// one is not seen, and the class would publish only its parent's properties):
//
//   class TMorvaneAddress : public TTovRecord<TMorvaneAddress> {
//   public:
//       using TTovRecord::TTovRecord;
//       static void DeclareProperties(TTovPropertyTable<TMorvaneAddress>& table) {
//           table.Property("Suburb", &TMorvaneAddress::Suburb)          // a stored field
//               .Property("AddressStr", &TMorvaneAddress::AddressStr); // getter only: read-only
//       }
//       std::string Suburb;
//       std::string AddressStr() const;
//   };
//
// A getter with a setter is declared as Property("DayStr", &C::DayStr, &C::SetDayStr).
// Sub-records (std::unique_ptr<R> members) are declared with SubRecord, owned child lists
// (TTovOwnedObjectList members) with ChildList, and objects the record only points at
// (R* members) with Reference. A class without a DeclareProperties of its own has exactly
// its parent's properties.
#pragma once

#include "objectlist/datetime.h"
#include "objectlist/ownedobjectlist.h"
#include "objectlist/propinfo.h"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace duebell {

class TTovObjectItem;
class TTovObjectList;
template <class T> class TTovPropertyTable;

class TTovObjectItemManager {
public:
    using Factory = TTovObjectItem* (*)(TTovObjectItem* owner);

    const std::string& ClassName() const { return className_; }
    TTovObjectItemManager* ClassParent() const { return parent_; }
    bool InheritsFrom(const TTovObjectItemManager& other) const;

    int PropCount() const { return static_cast<int>(props_.size()); }
    const TTovPropInfo& PropInfo(int index) const { return *props_.at(index); }
    const std::vector<const TTovPropInfo*>& Properties() const { return props_; }
    // The property whose name equals Name ignoring (ASCII) case; nothing when absent.
    const TTovPropInfo* FindPropInfo(std::string_view name) const;

    // The virtual constructor: a new record of this class with the given owner (which may be
    // nothing), Initialize already run. The caller owns the record.
    TTovObjectItem* Create(TTovObjectItem* owner) const;

    // The class operation GetListItemElementName: the element name list items of this class
    // must carry in an XML file; empty accepts any name.
    const std::string& ListItemElementName() const { return listItemElementName_; }

    // Live records of exactly this class.
    int InstanceCount() const { return instanceCount_; }

private:
    template <class T> friend class TTovPropertyTable;
    friend class TTovObjectItem;
    friend TTovObjectItemManager& RegisterItemClass(std::string className,
                                                    TTovObjectItemManager* parent, Factory factory,
                                                    void (*declare)(TTovObjectItemManager&));

    TTovPropInfo& AddProperty(std::string name);

    std::string className_;
    TTovObjectItemManager* parent_ = nullptr;
    Factory factory_ = nullptr;
    std::vector<const TTovPropInfo*> props_;
    std::vector<std::unique_ptr<TTovPropInfo>> ownProps_;
    std::string listItemElementName_;
    int instanceCount_ = 0;
};

// A record class reference: every list, descriptor and filer is made for one.
using TTovObjectItemClass = TTovObjectItemManager*;

// Registers a class (its parent's properties are copied first, then declare adds its own).
// Used by GetItemManager; a class is registered on first use of its manager.
TTovObjectItemManager& RegisterItemClass(std::string className, TTovObjectItemManager* parent,
                                         TTovObjectItemManager::Factory factory,
                                         void (*declare)(TTovObjectItemManager&));
// A registered class by name, ignoring case; nothing when no such class was registered yet.
TTovObjectItemManager* FindItemClass(std::string_view className);

// The manager of a record class, created and registered on first request.
template <class T> TTovObjectItemManager& GetItemManager();

namespace detail {

// "duebell::TMorvaneClient" -> "TMorvaneClient" (namespaces and anonymous scopes removed).
std::string ShortTypeName(const std::type_info& type);
// Checked conversions of an object reference about to be stored (ETovObjectListError when the
// object is of the wrong class; nothing stays nothing).
TTovObjectList* CheckedObjectList(TTovObject* value, const std::string& propertyName);
[[noreturn]] void WrongObjectClass(const std::string& propertyName);
TTovObject* ListAsObject(TTovObjectList* list);

template <class V, class = void> struct PropertyTraits; // unsupported types do not compile

template <> struct PropertyTraits<std::int32_t> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Integer;
    static std::string TypeName() { return "Integer"; }
    static std::int32_t ToOrdinal(std::int32_t v) { return v; }
    static std::int32_t FromOrdinal(std::int32_t v) { return v; }
};
template <> struct PropertyTraits<bool> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Enumeration;
    static std::string TypeName() { return "Boolean"; }
    static std::int32_t ToOrdinal(bool v) { return v ? 1 : 0; }
    static bool FromOrdinal(std::int32_t v) { return v != 0; }
};
template <class E> struct PropertyTraits<E, std::enable_if_t<std::is_enum_v<E>>> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Enumeration;
    static std::string TypeName() { return ShortTypeName(typeid(E)); }
    static std::int32_t ToOrdinal(E v) { return static_cast<std::int32_t>(v); }
    static E FromOrdinal(std::int32_t v) { return static_cast<E>(v); }
};
template <> struct PropertyTraits<char> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Char;
    static std::string TypeName() { return "Char"; }
    static std::int32_t ToOrdinal(char v) { return static_cast<unsigned char>(v); }
    static char FromOrdinal(std::int32_t v) { return static_cast<char>(v); }
};
template <> struct PropertyTraits<std::string> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::String;
    static std::string TypeName() { return "String"; }
};
template <> struct PropertyTraits<std::int64_t> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Int64;
    static std::string TypeName() { return "Int64"; }
};
template <> struct PropertyTraits<double> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Float;
    static constexpr TTovFloatType Float = TTovFloatType::Double;
    static std::string TypeName() { return "Double"; }
    static double ToDouble(double v) { return v; }
    static double FromDouble(double v) { return v; }
};
template <> struct PropertyTraits<TDate> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Float;
    static constexpr TTovFloatType Float = TTovFloatType::Date;
    static std::string TypeName() { return "TDate"; }
    static double ToDouble(TDate v) { return v.value; }
    static TDate FromDouble(double v) { return TDate(v); }
};
template <> struct PropertyTraits<TDateTime> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Float;
    static constexpr TTovFloatType Float = TTovFloatType::DateTime;
    static std::string TypeName() { return "TDateTime"; }
    static double ToDouble(TDateTime v) { return v.value; }
    static TDateTime FromDouble(double v) { return TDateTime(v); }
};
template <> struct PropertyTraits<Currency> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Float;
    static constexpr TTovFloatType Float = TTovFloatType::Currency;
    static std::string TypeName() { return "Currency"; }
    static double ToDouble(Currency v) { return v.toDouble(); }
    static Currency FromDouble(double v) { return Currency::fromDouble(v); }
    static Currency ToCurrency(Currency v) { return v; }
    static Currency FromCurrency(Currency v) { return v; }
};
template <> struct PropertyTraits<TPercentage> {
    static constexpr TTovPropertyKind Kind = TTovPropertyKind::Float;
    static constexpr TTovFloatType Float = TTovFloatType::Percentage;
    static std::string TypeName() { return "TPercentage"; }
    static double ToDouble(TPercentage v) { return v.value.toDouble(); }
    static TPercentage FromDouble(double v) { return TPercentage{Currency::fromDouble(v)}; }
    static Currency ToCurrency(TPercentage v) { return v.value; }
    static TPercentage FromCurrency(Currency v) { return TPercentage{v}; }
};

template <class T> constexpr bool HasOwnDeclaration = requires(TTovPropertyTable<T>& table) {
    T::DeclareProperties(table);
};

} // namespace detail

template <class T> class TTovPropertyTable {
public:
    explicit TTovPropertyTable(TTovObjectItemManager& manager) : manager_(manager) {}

    // A stored field: read and written directly.
    template <class V> TTovPropertyTable& Property(std::string name, V T::*field) {
        static_assert(!std::is_function_v<V>, "use a getter member function");
        auto get = [field](const TTovObjectItem& item) -> const V& {
            return static_cast<const T&>(item).*field;
        };
        auto set = [field](TTovObjectItem& item, V value) {
            static_cast<T&>(item).*field = std::move(value);
        };
        TTovPropInfo& info = Install<V>(std::move(name), get, set);
        if constexpr (std::is_same_v<V, std::string>) {
            info.stringField_ = [field](const TTovObjectItem& item) {
                return &(static_cast<const T&>(item).*field);
            };
        }
        return *this;
    }

    // A computed value: getter only, so the property is read-only.
    template <class R> TTovPropertyTable& Property(std::string name, R (T::*getter)() const) {
        using V = std::remove_cvref_t<R>;
        auto get = [getter](const TTovObjectItem& item) -> V {
            return (static_cast<const T&>(item).*getter)();
        };
        Install<V>(std::move(name), get, nullptr);
        return *this;
    }

    // A value read and written through member functions.
    template <class R, class S>
    TTovPropertyTable& Property(std::string name, R (T::*getter)() const, void (T::*setter)(S)) {
        using V = std::remove_cvref_t<R>;
        auto get = [getter](const TTovObjectItem& item) -> V {
            return (static_cast<const T&>(item).*getter)();
        };
        auto set = [setter](TTovObjectItem& item, V value) {
            (static_cast<T&>(item).*setter)(std::move(value));
        };
        Install<V>(std::move(name), get, set);
        return *this;
    }

    // An owned sub-record; setting it hands the new record to the holder (the old one is freed).
    template <class R>
    TTovPropertyTable& SubRecord(std::string name, std::unique_ptr<R> T::*field) {
        TTovPropInfo& info = ClassProperty(std::move(name), TTovObjectKind::SubRecord, "");
        info.recordClass_ = &GetItemManager<R>;
        info.typeName_ = detail::ShortTypeName(typeid(R));
        info.getObject_ = [field](const TTovObjectItem& item) -> TTovObject* {
            return (static_cast<const T&>(item).*field).get();
        };
        info.setObject_ = [field, propName = info.name_](TTovObjectItem& item, TTovObject* value) {
            R* record = value ? dynamic_cast<R*>(value) : nullptr;
            if (value && !record) {
                detail::WrongObjectClass(propName);
            }
            auto& held = static_cast<T&>(item).*field;
            if (held.get() != record) {
                held.reset(record);
            }
        };
        return *this;
    }

    // An owned child list.
    TTovPropertyTable& ChildList(std::string name, TTovOwnedObjectList T::*field) {
        TTovPropInfo& info =
            ClassProperty(std::move(name), TTovObjectKind::ChildList, "TTovObjectList");
        info.getObject_ = [field](const TTovObjectItem& item) -> TTovObject* {
            return detail::ListAsObject((static_cast<const T&>(item).*field).get());
        };
        info.setObject_ = [field, propName = info.name_](TTovObjectItem& item, TTovObject* value) {
            TTovObjectList* list = detail::CheckedObjectList(value, propName);
            auto& held = static_cast<T&>(item).*field;
            if (held.get() != list) {
                held.reset(list);
            }
        };
        return *this;
    }

    // An object the record points at but does not own.
    template <class R> TTovPropertyTable& Reference(std::string name, R* T::*field) {
        TTovPropInfo& info = ClassProperty(std::move(name), TTovObjectKind::Reference,
                                           detail::ShortTypeName(typeid(R)));
        if constexpr (std::is_base_of_v<TTovObjectItem, R>) {
            info.recordClass_ = &GetItemManager<R>;
        }
        info.getObject_ = [field](const TTovObjectItem& item) -> TTovObject* {
            return static_cast<const T&>(item).*field;
        };
        info.setObject_ = [field, propName = info.name_](TTovObjectItem& item, TTovObject* value) {
            R* object = value ? dynamic_cast<R*>(value) : nullptr;
            if (value && !object) {
                detail::WrongObjectClass(propName);
            }
            static_cast<T&>(item).*field = object;
        };
        return *this;
    }

    // The class operation GetListItemElementName (empty by default).
    TTovPropertyTable& ListItemElementName(std::string name) {
        manager_.listItemElementName_ = std::move(name);
        return *this;
    }

private:
    TTovPropInfo& ClassProperty(std::string name, TTovObjectKind objectKind, std::string typeName) {
        TTovPropInfo& info = manager_.AddProperty(std::move(name));
        info.kind_ = TTovPropertyKind::Class;
        info.objectKind_ = objectKind;
        info.typeName_ = std::move(typeName);
        info.hasSetter_ = true;
        return info;
    }

    template <class V, class Get, class Set>
    TTovPropInfo& Install(std::string name, Get get, Set set) {
        using Traits = detail::PropertyTraits<V>;
        constexpr bool writable = !std::is_same_v<Set, std::nullptr_t>;
        TTovPropInfo& info = manager_.AddProperty(std::move(name));
        info.kind_ = Traits::Kind;
        info.typeName_ = Traits::TypeName();
        info.hasSetter_ = writable;
        if constexpr (Traits::Kind == TTovPropertyKind::Integer ||
                      Traits::Kind == TTovPropertyKind::Enumeration ||
                      Traits::Kind == TTovPropertyKind::Char) {
            info.isBoolean_ = std::is_same_v<V, bool>;
            info.getOrdinal_ = [get](const TTovObjectItem& item) {
                return Traits::ToOrdinal(get(item));
            };
            if constexpr (writable) {
                info.setOrdinal_ = [set](TTovObjectItem& item, std::int32_t value) {
                    set(item, Traits::FromOrdinal(value));
                };
            }
            if constexpr (Traits::Kind == TTovPropertyKind::Char) {
                info.getString_ = [get](const TTovObjectItem& item) {
                    return std::string(1, get(item));
                };
                if constexpr (writable) {
                    info.setString_ = [set](TTovObjectItem& item, std::string value) {
                        set(item, value.empty() ? '\0' : value[0]);
                    };
                }
            }
        } else if constexpr (Traits::Kind == TTovPropertyKind::Float) {
            info.floatType_ = Traits::Float;
            info.getFloat_ = [get](const TTovObjectItem& item) {
                return Traits::ToDouble(get(item));
            };
            if constexpr (writable) {
                info.setFloat_ = [set](TTovObjectItem& item, double value) {
                    set(item, Traits::FromDouble(value));
                };
            }
            if constexpr (Traits::Float == TTovFloatType::Currency ||
                          Traits::Float == TTovFloatType::Percentage) {
                info.getCurrency_ = [get](const TTovObjectItem& item) {
                    return Traits::ToCurrency(get(item));
                };
                if constexpr (writable) {
                    info.setCurrency_ = [set](TTovObjectItem& item, Currency value) {
                        set(item, Traits::FromCurrency(value));
                    };
                }
            }
        } else if constexpr (Traits::Kind == TTovPropertyKind::String) {
            info.getString_ = [get](const TTovObjectItem& item) { return std::string(get(item)); };
            if constexpr (writable) {
                info.setString_ = [set](TTovObjectItem& item, std::string value) {
                    set(item, std::move(value));
                };
            }
        } else if constexpr (Traits::Kind == TTovPropertyKind::Int64) {
            info.getInt64_ = [get](const TTovObjectItem& item) {
                return static_cast<std::int64_t>(get(item));
            };
            if constexpr (writable) {
                info.setInt64_ = [set](TTovObjectItem& item, std::int64_t value) {
                    set(item, value);
                };
            }
        }
        return info;
    }

    TTovObjectItemManager& manager_;
};

template <class T> TTovObjectItemManager& GetItemManager() {
    static TTovObjectItemManager& manager = []() -> TTovObjectItemManager& {
        TTovObjectItemManager* parent = nullptr;
        if constexpr (!std::is_same_v<T, TTovObjectItem>) {
            parent = &GetItemManager<typename T::Inherited>();
        }
        TTovObjectItemManager::Factory factory = nullptr;
        if constexpr (!std::is_abstract_v<T>) {
            factory = [](TTovObjectItem* owner) -> TTovObjectItem* { return new T(owner); };
        }
        void (*declare)(TTovObjectItemManager&) = nullptr;
        if constexpr (detail::HasOwnDeclaration<T>) {
            declare = [](TTovObjectItemManager& m) {
                TTovPropertyTable<T> table(m);
                T::DeclareProperties(table);
            };
        }
        return RegisterItemClass(detail::ShortTypeName(typeid(T)), parent, factory, declare);
    }();
    return manager;
}

} // namespace duebell
