// TTovObjectItem, the base of every persistent record. A record stores exactly its published
// properties (see itemmanager.h for how a class declares them); generic code reads and writes
// them through the conversions below, never knowing the record class.
//
// Ownership: a record owns the sub-records and child lists it created (unique_ptr members,
// TTovOwnedObjectList for lists) and frees them when it is destroyed; records held in a list
// are freed by whoever owns that list (FreeAll), never by the list itself.
//
// Creation: TTovObjectItemManager::Create(owner) (the virtual constructor), CreateItem<T> or
// MakeItem<T>. All run Initialize after the constructor. Records are also made with no owner,
// for instance as a list's search template, so constructors must accept a null owner.
#pragma once

#include "objectlist/itemmanager.h"
#include "objectlist/listlistener.h"
#include "objectlist/tovobject.h"
#include "objectlist/variant.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

struct SaxAttribute; // name and value of one XML attribute (objectlist/saxreader.h)

class TTovObjectItem : public TTovObject, public ITovListListener {
public:
    explicit TTovObjectItem(TTovObjectItem* owner);
    ~TTovObjectItem() override;

    TTovObjectItem* Owner() const { return owner_; }
    // The class of this record (the most derived one).
    TTovObjectItemManager& ItemManager() const { return *manager_; }
    const std::string& ClassName() const { return manager_->ClassName(); }

    // Published property values as variants (conversion rules in propertyvalue.cpp).
    // Integer, char and enumeration give the ordinal; float the value rounded to 7 decimals;
    // string the text; Int64 a real number; class the object. No property: an empty variant.
    Variant GetPropertyValue(std::string_view name) const;
    Variant GetPropInfoValue(const TTovPropInfo* prop) const;
    // Writes a property from a variant, converting by the property's kind. No property raises
    // ETovObjectListError "Invalid property name"; a read-only property is left untouched.
    // A class property takes only an object (or an explicit null object): any other value
    // raises ETovObjectListError, so no text ever replaces a sub-record.
    void SetPropertyValue(const TTovPropInfo* prop, const Variant& value);
    void SetPropertyValue(std::string_view name, const Variant& value);

    // Copies the published properties of a record of the same class (or a subclass) into this
    // one, in table order, skipping read-only properties. Existing sub-records take the
    // source's sub-record values; child lists take the source lists' records (AssignList).
    // ShareSubObjects would give a sub-record two owners and is refused (InternalError).
    void AssignProperties(const TTovObjectItem& source, bool skipSubObjects = false,
                          bool clearLists = true, bool shareSubObjects = false,
                          bool skipLists = false);

    // Hooks, with the defaults the XML store and the lists expect.
    virtual std::string GetBareClassName() const;    // class name without its first character
    virtual TTovObjectList* GetImplicitList() const; // list for unknown XML child elements
    virtual std::string GetImplicitListName() const;
    virtual std::string GetPropertyElementName(const TTovPropInfo& prop) const;
    virtual std::string PropertyNameToElementName(const std::string& name) const;
    virtual bool IncludeSubObject(TTovObjectItem* subObject, bool writing) const;
    virtual bool IncludeChildList(TTovObjectList* list, const TTovPropInfo& prop,
                                  bool writing) const;
    virtual bool IncludeProperty(const TTovPropInfo& prop, bool writing) const;
    virtual void Initialize();                  // runs once after construction
    virtual std::string GetElementName() const; // class name without its first character
    virtual std::string GetElementText() const;
    virtual void AfterLoad(); // the XML reader closed this record's element
    virtual std::string GetXsiTypeName() const;
    virtual void AddElementAttributes(std::vector<SaxAttribute>& attributes) const;
    virtual void AddListAttributes(TTovObjectList* list, const TTovPropInfo& prop,
                                   std::vector<SaxAttribute>& attributes) const;
    virtual bool IsAttribute(const TTovPropInfo& prop) const;
    void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) override;

protected:
    // Called by each TTovRecord constructor so the record always knows its most derived class.
    void AttachManager(TTovObjectItemManager& manager);

private:
    TTovObjectItem* owner_;
    TTovObjectItemManager* manager_ = nullptr;
};

// The base a record class derives from: class T with parent Base (TTovObjectItem or another
// record class). It ties T to its manager and gives it the owner constructor.
template <class T, class Base = TTovObjectItem> class TTovRecord : public Base {
public:
    using Inherited = Base;

    explicit TTovRecord(TTovObjectItem* owner) : Base(owner) {
        this->AttachManager(GetItemManager<T>());
    }

    static TTovObjectItemManager& ClassManager() { return GetItemManager<T>(); }
};

// A new record of class T with Initialize run; the caller owns it.
template <class T> T* CreateItem(TTovObjectItem* owner) {
    return static_cast<T*>(GetItemManager<T>().Create(owner));
}

// The same, held until it is handed on (to a list's Add, for one).
template <class T> std::unique_ptr<T> MakeItem(TTovObjectItem* owner) {
    return std::unique_ptr<T>(CreateItem<T>(owner));
}

} // namespace duebell
