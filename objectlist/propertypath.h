// Dotted property paths such as "Address.Suburb": every segment but the last names an
// object-valued property holding a record, whose record becomes the next start.
#pragma once

#include <string_view>

namespace duebell {

class TTovObjectItem;
class TTovPropInfo;

struct TTovPropertyPath {
    TTovObjectItem* item = nullptr;     // the record holding the last property
    const TTovPropInfo* prop = nullptr; // the last property
    explicit operator bool() const { return item != nullptr && prop != nullptr; }
};

// Resolves a path from a record; an empty result when a segment names no property or an
// intermediate object is missing or no record. Names are matched ignoring case.
TTovPropertyPath ResolvePropertyPath(TTovObjectItem& root, std::string_view path);

} // namespace duebell
