// A record tree saved to XML text and loaded back from it in memory, for the XML store's tests.
#pragma once

#include "objectlist/xmlfiler.h"

#include <sstream>
#include <string>

namespace duebell::xmltest {

inline std::string Save(TTovObjectItem& root) {
    std::ostringstream out;
    SaveObjectToXMLStream(out, root);
    return out.str();
}

inline void Load(const std::string& document, TTovObjectItem& root) {
    std::istringstream in(document);
    LoadObjectFromXMLStream(in, root);
}

} // namespace duebell::xmltest
