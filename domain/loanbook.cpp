#include "domain/loanbook.h"

#include "domain/alert.h"
#include "domain/clients.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/recordowners.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

namespace duebell {

namespace {

constexpr int CodeDigits = 7;
constexpr const char* AlertKey = "LoanNumber,AlertDay,AlertMessage";

template <class T> T* LocateCode(TTovObjectList& list, std::string_view code) {
    return static_cast<T*>(list.LocateNoMove(Variant(code)));
}

} // namespace

TMorvaneData::TMorvaneData(TTovObjectItem* owner)
    : TTovRecord(owner), Properties(MakeOwnedObjectList<TMorvaneProperty>("PropertyCode")),
      Clients(MakeOwnedObjectList<TMorvaneClient>("ClientCode")),
      Mortgages(MakeOwnedObjectList<TMorvaneMortgage>("LoanNumber")),
      ClearedDuebells(MakeOwnedObjectList<TMorvaneAlert>(AlertKey)),
      CurrentAlerts(MakeOwnedObjectList<TMorvaneAlert>(AlertKey)) {}

std::string TMorvaneData::NextCode(const TTovObjectList& list, std::string_view keyProperty) {
    std::int64_t last = 0;
    if (const TTovObjectItem* item = list.PeekLast()) {
        last = item->GetPropertyValue(keyProperty).AsInt64();
    }
    std::int64_t next = 0;
    if (__builtin_add_overflow(last, 1, &next)) {
        throw EConvertError("No code can follow " + IntToStr(last));
    }
    return FormatInt(next, CodeDigits);
}

std::string TMorvaneData::NextClientCode() const {
    return NextCode(*Clients, "ClientCode");
}

std::string TMorvaneData::NextPropertyCode() const {
    return NextCode(*Properties, "PropertyCode");
}

std::string TMorvaneData::NextLoanNumber() const {
    return NextCode(*Mortgages, "LoanNumber");
}

bool TMorvaneData::ClientInUse(std::string_view clientCode) const {
    for (TTovObjectItem* item : *Mortgages) {
        if (static_cast<TMorvaneMortgage*>(item)->ClientCode == clientCode) {
            return true;
        }
    }
    return false;
}

bool TMorvaneData::PropertyInUse(std::string_view propertyCode) const {
    for (TTovObjectItem* item : *Mortgages) {
        if (static_cast<TMorvaneMortgage*>(item)->PropertyCode == propertyCode) {
            return true;
        }
    }
    return false;
}

TMorvaneClient* TMorvaneData::FindClient(std::string_view clientCode) const {
    return LocateCode<TMorvaneClient>(*Clients, clientCode);
}

TMorvaneProperty* TMorvaneData::FindProperty(std::string_view propertyCode) const {
    return LocateCode<TMorvaneProperty>(*Properties, propertyCode);
}

TMorvaneMortgage* TMorvaneData::FindMortgage(std::string_view loanNumber) const {
    return LocateCode<TMorvaneMortgage>(*Mortgages, loanNumber);
}

void TMorvaneData::DeclareProperties(TTovPropertyTable<TMorvaneData>& table) {
    using T = TMorvaneData;
    table.ChildList("Properties", &T::Properties)
        .ChildList("Clients", &T::Clients)
        .ChildList("Mortgages", &T::Mortgages)
        .ChildList("ClearedDuebells", &T::ClearedDuebells);
}

TMorvaneData* OwningLoanBook(const TTovObjectItem& item) {
    return FindOwner<TMorvaneData>(item);
}

TMorvaneData* LookupLoanBook(const TTovObjectItem& item) {
    if (TMorvaneData* own = OwningLoanBook(item)) {
        return own;
    }
    return Data();
}

} // namespace duebell
