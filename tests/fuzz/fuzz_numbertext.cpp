// Number, money and date texts from arbitrary bytes: nothing may crash, and what reads as an
// amount or a date must read back the same from its own text.
#include "objectlist/datetime.h"
#include "objectlist/delimitedstringlist.h"
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

using namespace duebell;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) {
        return 0;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    std::string_view text(reinterpret_cast<const char*>(data + 8), size - 8);

    FormatFloat(text, value);
    std::int64_t raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    FormatCurr(text, Currency::fromRaw(raw));
    check(StrToCurr(CurrToStr(Currency::fromRaw(raw))).raw() == raw);
    try {
        FormatDateTime(text, value);
    } catch (const EConvertError&) {
        // values outside the calendar
    }

    Currency amount;
    if (TryStrToCurr(text, amount)) {
        check(StrToCurr(CurrToStr(amount)) == amount);
        FormatMoneyText(amount);
    }
    double number = 0;
    if (TryStrToFloat(text, number)) {
        check(TryStrToFloat(FloatToStr(number), number));
    }
    std::int64_t integer = 0;
    if (TryStrToInt64(text, integer)) {
        check(StrToInt64(IntToStr(integer)) == integer);
    }
    double moment = 0;
    if (TryStrToDateTime(text, moment)) {
        // Texts hold whole seconds at most to the millisecond: the date part survives.
        check(StrToDate(DateToStr(moment)) == StrToDate(DateToStr(NormalizeDateTime(moment))));
    }
    TDelimitedStringList list(static_cast<char>(data[0]));
    list.SplitDelimitedLine(text);
    return 0;
}
