// Property texts as a data file delivers them: arbitrary bytes stored into every property
// kind of a record, which then joins a sorted list. Nothing may crash; a text either converts
// or raises the library's exception; a stored date is a whole day.
#include "objectlist/exceptions.h"
#include "objectlist/objectlist.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace duebell;

namespace {

class TFuzzRecord : public TTovRecord<TFuzzRecord> {
public:
    using TTovRecord::TTovRecord;
    std::int32_t Number = 0;
    bool Flag = false;
    char Letter = ' ';
    double Ratio = 0.0;
    TDate Day;
    TDateTime Stamp;
    Currency Amount;
    TPercentage Rate;
    std::string Text;
    std::int64_t Wide = 0;

    static void DeclareProperties(TTovPropertyTable<TFuzzRecord>& table) {
        table.Property("Number", &TFuzzRecord::Number)
            .Property("Flag", &TFuzzRecord::Flag)
            .Property("Letter", &TFuzzRecord::Letter)
            .Property("Ratio", &TFuzzRecord::Ratio)
            .Property("Day", &TFuzzRecord::Day)
            .Property("Stamp", &TFuzzRecord::Stamp)
            .Property("Amount", &TFuzzRecord::Amount)
            .Property("Rate", &TFuzzRecord::Rate)
            .Property("Text", &TFuzzRecord::Text)
            .Property("Wide", &TFuzzRecord::Wide);
    }
};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TTovOwnedObjectList list = MakeOwnedObjectList<TFuzzRecord>("Day,Stamp,Ratio,Text");
    if (size == 0) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    auto record = MakeItem<TFuzzRecord>(nullptr);
    const TTovObjectItemManager& manager = record->ItemManager();
    const TTovPropInfo& prop = manager.PropInfo(data[0] % manager.PropCount());
    try {
        record->SetPropertyValue(&prop, Variant(text));
        record->GetPropInfoValue(&prop);
    } catch (const Exception&) {
    }
    check(record->Day.value == std::trunc(record->Day.value));
    try {
        list->Add(std::move(record));
    } catch (const Exception&) {
        // an equal key is already there; the record is freed with its holder
    }
    if (list->Count() > 1000) {
        list->FreeAll();
    }
    return 0;
}
