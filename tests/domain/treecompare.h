// Compares two record trees property by property, through the published-property tables, and
// lists every difference with its path ("Mortgages[0].Contract.Deposit: 25000.5 != 25000");
// reads one value by such a path.
#pragma once

#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "objectlist/objectlist.h"

#include <string>
#include <string_view>
#include <vector>

namespace duebell::testing {

inline std::string ValueText(const TTovPropInfo& prop, const TTovObjectItem& item) {
    switch (prop.Kind()) {
    case TTovPropertyKind::Integer:
    case TTovPropertyKind::Enumeration:
    case TTovPropertyKind::Char:
        return IntToStr(prop.GetOrdinal(item));
    case TTovPropertyKind::Float:
        if (prop.FloatType() == TTovFloatType::Currency ||
            prop.FloatType() == TTovFloatType::Percentage) {
            return CurrToStr(prop.GetCurrency(item));
        }
        // Every digit of the double, so a value that moved by one bit shows.
        return FormatFloat("0.0000000000000000E+000", prop.GetFloat(item));
    case TTovPropertyKind::String:
        return "\"" + prop.GetString(item) + "\"";
    case TTovPropertyKind::Int64:
        return IntToStr(prop.GetInt64(item));
    case TTovPropertyKind::Class:
        break;
    }
    return {};
}

inline void CompareTrees(const TTovObjectItem& a, const TTovObjectItem& b, const std::string& path,
                         std::vector<std::string>& differences) {
    if (&a.ItemManager() != &b.ItemManager()) {
        differences.push_back(path + ": " + a.ClassName() + " != " + b.ClassName());
        return;
    }
    for (const TTovPropInfo* prop : a.ItemManager().Properties()) {
        const std::string where = path.empty() ? prop->Name() : path + "." + prop->Name();
        if (prop->Kind() != TTovPropertyKind::Class) {
            const std::string left = ValueText(*prop, a);
            const std::string right = ValueText(*prop, b);
            if (left != right) {
                differences.push_back(where + ": " + left + " != " + right);
            }
            continue;
        }
        if (prop->ObjectKind() == TTovObjectKind::Reference) {
            continue;
        }
        TTovObject* left = prop->GetObject(a);
        TTovObject* right = prop->GetObject(b);
        if ((left == nullptr) != (right == nullptr)) {
            differences.push_back(where + ": present on one side only");
            continue;
        }
        if (left == nullptr) {
            continue;
        }
        if (prop->ObjectKind() == TTovObjectKind::SubRecord) {
            CompareTrees(*dynamic_cast<TTovObjectItem*>(left),
                         *dynamic_cast<TTovObjectItem*>(right), where, differences);
            continue;
        }
        const auto& leftList = *dynamic_cast<TTovObjectList*>(left);
        const auto& rightList = *dynamic_cast<TTovObjectList*>(right);
        if (leftList.Count() != rightList.Count()) {
            differences.push_back(where + ": " + IntToStr(leftList.Count()) +
                                  " records != " + IntToStr(rightList.Count()));
            continue;
        }
        int index = 0;
        for (auto l = leftList.begin(), r = rightList.begin(); l != leftList.end(); ++l, ++r) {
            CompareTrees(**l, **r, where + "[" + IntToStr(index++) + "]", differences);
        }
    }
}

// Empty when the trees hold the same records with the same values in the same order.
inline std::vector<std::string> TreeDifferences(const TTovObjectItem& a, const TTovObjectItem& b) {
    std::vector<std::string> differences;
    CompareTrees(a, b, "", differences);
    return differences;
}

// The value a path names as a person would type it: texts bare, money and rates as stored
// ("25000.5"), dates as "16/03/2020" with " hh:nn:ss" when there is a time, no date as "", a
// list named last as its record count. A step that finds nothing reads "<no Step>".
inline std::string TextAt(const TTovObjectItem& root, std::string_view path) {
    const TTovObjectItem* item = &root;
    for (;;) {
        const std::size_t dot = path.find('.');
        std::string_view step = path.substr(0, dot);
        const std::string missing = "<no " + std::string(step) + ">";
        int index = -1;
        if (const std::size_t bracket = step.find('['); bracket != std::string_view::npos) {
            index = std::stoi(std::string(step.substr(bracket + 1)));
            step = step.substr(0, bracket);
        }
        const TTovPropInfo* prop = item->ItemManager().FindPropInfo(step);
        if (prop == nullptr) {
            return missing;
        }
        if (prop->Kind() != TTovPropertyKind::Class) {
            if (prop->IsDateKind()) {
                const double value = prop->GetFloat(*item);
                return value == 0 ? std::string() : DateTimeToStr(value);
            }
            if (prop->Kind() == TTovPropertyKind::String) {
                return prop->GetString(*item);
            }
            if (prop->Kind() == TTovPropertyKind::Float &&
                prop->FloatType() == TTovFloatType::Double) {
                return FloatToStr(prop->GetFloat(*item));
            }
            return ValueText(*prop, *item);
        }
        TTovObject* object = prop->GetObject(*item);
        if (const auto* list = dynamic_cast<const TTovObjectList*>(object)) {
            if (index < 0) {
                return IntToStr(list->Count());
            }
            if (index >= list->Count()) {
                return missing;
            }
            auto it = list->begin();
            for (int i = 0; i < index; ++i) {
                ++it;
            }
            object = *it;
        }
        item = dynamic_cast<const TTovObjectItem*>(object);
        if (item == nullptr || dot == std::string_view::npos) {
            return missing;
        }
        path.remove_prefix(dot + 1);
    }
}

} // namespace duebell::testing
