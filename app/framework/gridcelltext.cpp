#include "app/framework/gridcelltext.h"

#include "domain/money.h"
#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "objectlist/objectitem.h"

#include <algorithm>

namespace duebell {

namespace {

std::string DateCellText(const TTovPropInfo& prop, double value) {
    if (value == 0)
        return {};
    return prop.FloatType() == TTovFloatType::Date ? DateToStr(value) : DateTimeToStr(value);
}

} // namespace

bool PropertyCellText(const TTovObjectItem& item, const TTovPropInfo& prop, std::string& text) {
    switch (prop.Kind()) {
    case TTovPropertyKind::Enumeration:
        if (prop.IsBoolean()) {
            text = prop.GetOrdinal(item) != 0 ? "True" : "False";
            return true;
        }
        [[fallthrough]];
    case TTovPropertyKind::Integer:
        text = IntToStr(prop.GetOrdinal(item));
        return true;
    case TTovPropertyKind::Char:
    case TTovPropertyKind::String:
        text = prop.GetString(item);
        return true;
    case TTovPropertyKind::Int64:
        text = IntToStr(prop.GetInt64(item));
        return true;
    case TTovPropertyKind::Float:
        switch (prop.FloatType()) {
        case TTovFloatType::Date:
        case TTovFloatType::DateTime:
            text = DateCellText(prop, prop.GetFloat(item));
            return true;
        case TTovFloatType::Currency:
            text = FormatMoney(prop.GetCurrency(item));
            return true;
        case TTovFloatType::Double:
        case TTovFloatType::Percentage:
            text = FloatToStr(prop.GetFloat(item));
            return true;
        }
        return false;
    case TTovPropertyKind::Class:
        return false;
    }
    return false;
}

TColor ShadeColor(TColor rgb) {
    const auto less16 = [](int component) { return std::max(component - 16, 0); };
    return RGB(less16(GetRValue(rgb)), less16(GetGValue(rgb)), less16(GetBValue(rgb)));
}

} // namespace duebell
