#include "objectlist/listdescriptor.h"

#include "objectlist/exceptions.h"
#include "objectlist/objectitem.h"
#include "objectlist/objectlist.h"
#include "objectlist/randomgenerator.h"
#include "objectlist/rounding.h"

#include <algorithm>
#include <cmath>

namespace duebell {

namespace {

// Comma text as a string list reads it: commas or blanks separate, double quotes group (a
// doubled quote inside stands for one), an empty field between two commas is kept.
std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    auto isBlank = [&](std::size_t at) {
        return at < text.size() && text[at] != '\0' && static_cast<unsigned char>(text[at]) <= ' ';
    };
    while (isBlank(i)) {
        ++i;
    }
    while (i < text.size()) {
        std::string field;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < text.size() && static_cast<unsigned char>(text[i]) > ' ' && text[i] != ',') {
                field += text[i++];
            }
        }
        fields.push_back(std::move(field));
        while (isBlank(i)) {
            ++i;
        }
        if (i < text.size() && text[i] == ',') {
            do {
                ++i;
            } while (isBlank(i));
        }
    }
    return fields;
}

template <class T> int ThreeWay(T a, T b) {
    return (a > b) - (a < b);
}

// Dates compare to the whole second, after the 7-decimal rounding that stored values get.
// That rounding moves a value by up to 4.32 ms, so a whole second can land just below itself
// (14:30:01 becomes 14:30:00.996); dropping the fraction there would make two adjacent
// seconds equal keys and refuse the second record as a duplicate. A value within 4.5 ms
// below a whole second therefore counts as that second.
constexpr double SecondsPerDay = 86400.0;
constexpr double RoundingSlack = 0.0045;

} // namespace

double DateKeySeconds(double value) {
    // Away from a second's edge the rounding (at most 4.33 ms) cannot change the second, so
    // the text-based rounding is needed only near an edge.
    const double seconds = value * SecondsPerDay + RoundingSlack;
    const double whole = std::floor(seconds);
    const double fraction = seconds - whole;
    if (fraction > 0.0044 && fraction < 0.9956) {
        return whole;
    }
    return std::floor(RoundToDigits(7, value) * SecondsPerDay + RoundingSlack);
}

namespace {

int CompareFloats(double x, double y) {
    const double difference = x - y;
    if (std::fabs(difference) < 1e-16) {
        return 0;
    }
    return difference > 0 ? 1 : -1;
}

} // namespace

TTovObjectListDescriptor::TTovObjectListDescriptor(TTovObjectItemClass itemClass, bool internal)
    : itemClass_(itemClass), internal_(internal) {
    if (itemClass_ == nullptr) {
        throw InternalError("A list descriptor needs a record class.");
    }
}

TTovObjectListDescriptor::~TTovObjectListDescriptor() = default;

TTovRandomGenerator& TTovObjectListDescriptor::RandomGenerator() {
    if (random_ == nullptr) {
        random_ = std::make_unique<TTovRandomGenerator>();
    }
    return *random_;
}

void TTovObjectListDescriptor::SetSortFields(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    std::vector<std::string> names = SplitCommaText(upper);
    std::vector<const TTovPropInfo*> props;
    for (const std::string& name : names) {
        const TTovPropInfo* prop = itemClass_->FindPropInfo(name);
        if (prop == nullptr) {
            throw ETovObjectListError("Invalid property name " + name);
        }
        props.push_back(prop);
    }
    fieldNames_ = std::move(names);
    sortProps_ = std::move(props);
    if (sorted_) {
        // Lists kept in the old key order would miss lookups and let duplicates in.
        for (TTovObjectList* list : lists_) {
            list->Sort();
        }
    }
}

std::string TTovObjectListDescriptor::SortFields() const {
    std::string text;
    for (const std::string& name : fieldNames_) {
        if (!text.empty()) {
            text += ',';
        }
        text += name;
    }
    return text;
}

void TTovObjectListDescriptor::SetSorted(bool sorted) {
    if (sorted == sorted_) {
        return;
    }
    sorted_ = sorted;
    if (SortCount() > 0) {
        for (TTovObjectList* list : lists_) {
            list->Sort();
        }
    }
}

int TTovObjectListDescriptor::CompareItems(const TTovObjectItem& a, const TTovObjectItem& b,
                                           int n) const {
    const int fields = n < 0 ? SortCount() : std::min(n, SortCount());
    for (int i = 0; i < fields; ++i) {
        const TTovPropInfo& prop = *sortProps_[i];
        int result = 0;
        switch (prop.Kind()) {
        case TTovPropertyKind::Integer:
        case TTovPropertyKind::Enumeration:
            result = ThreeWay(prop.GetOrdinal(a), prop.GetOrdinal(b));
            break;
        case TTovPropertyKind::Int64:
            result = ThreeWay(prop.GetInt64(a), prop.GetInt64(b));
            break;
        case TTovPropertyKind::Float: {
            const double x = prop.GetFloat(a);
            const double y = prop.GetFloat(b);
            if (x != y) {
                result = prop.IsDateKind() ? CompareFloats(DateKeySeconds(x), DateKeySeconds(y))
                                           : CompareFloats(x, y);
            }
            break;
        }
        case TTovPropertyKind::Char:
        case TTovPropertyKind::String: {
            std::string scratchA;
            std::string scratchB;
            result = ThreeWay(
                prop.GetStringView(a, scratchA).compare(prop.GetStringView(b, scratchB)), 0);
            break;
        }
        case TTovPropertyKind::Class:
            break; // objects have no order
        }
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

} // namespace duebell

namespace duebell {

TTovSortKey::TTovSortKey(const TTovObjectListDescriptor& descriptor, const TTovObjectItem& key,
                         int n) {
    const auto& props = descriptor.SortProps();
    const int count =
        n < 0 ? static_cast<int>(props.size()) : std::min(n, static_cast<int>(props.size()));
    fields_.resize(count);
    for (int i = 0; i < count; ++i) {
        Field& field = fields_[i];
        field.prop = props[i];
        switch (field.prop->Kind()) {
        case TTovPropertyKind::Integer:
        case TTovPropertyKind::Enumeration:
            field.integer = field.prop->GetOrdinal(key);
            break;
        case TTovPropertyKind::Int64:
            field.integer = field.prop->GetInt64(key);
            break;
        case TTovPropertyKind::Float:
            field.real = field.prop->GetFloat(key);
            if (field.prop->IsDateKind()) {
                field.comparableDate = DateKeySeconds(field.real);
            }
            break;
        case TTovPropertyKind::Char:
        case TTovPropertyKind::String:
            field.text = field.prop->GetStringView(key, field.scratch);
            break;
        case TTovPropertyKind::Class:
            break;
        }
    }
}

int TTovSortKey::CompareTo(const TTovObjectItem& other) const {
    for (const Field& field : fields_) {
        const TTovPropInfo& prop = *field.prop;
        int result = 0;
        switch (prop.Kind()) {
        case TTovPropertyKind::Integer:
        case TTovPropertyKind::Enumeration:
            result = ThreeWay<std::int64_t>(field.integer, prop.GetOrdinal(other));
            break;
        case TTovPropertyKind::Int64:
            result = ThreeWay<std::int64_t>(field.integer, prop.GetInt64(other));
            break;
        case TTovPropertyKind::Float: {
            const double y = prop.GetFloat(other);
            if (field.real != y) {
                result = prop.IsDateKind() ? CompareFloats(field.comparableDate, DateKeySeconds(y))
                                           : CompareFloats(field.real, y);
            }
            break;
        }
        case TTovPropertyKind::Char:
        case TTovPropertyKind::String: {
            std::string scratch;
            result = ThreeWay(field.text.compare(prop.GetStringView(other, scratch)), 0);
            break;
        }
        case TTovPropertyKind::Class:
            break;
        }
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

} // namespace duebell
