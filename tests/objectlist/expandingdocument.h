// A document of a few kilobytes whose entities expand to megabytes: its DTD makes an attribute
// value of a 1,000-byte entity through levels of entities, each repeating the one below, and
// gives it as the default of every <e> element, of which the document holds many, empty. Expat
// allows it (the expansion stays below the size from which it checks amplification), and hands
// every start tag the whole values.
#pragma once

#include <string>
#include <vector>

namespace duebell::testdocuments {

struct ExpandingDocument {
    int attributes = 1;      // named a1, a2, ..., each of the same value
    std::vector<int> fanOut; // from the lowest level: how often each repeats the one below
    int elements = 2000;
    int padding = 0; // bytes of comment before the root, to take the document past one read

    // last: what the root holds after the <e/> elements.
    std::string text(const std::string& last = "") const {
        std::string dtd = "<!ENTITY a \"" + std::string(1000, 'x') + "\">\n";
        std::string below = "a";
        for (std::size_t level = 0; level < fanOut.size(); ++level) {
            std::string value;
            for (int i = 0; i < fanOut[level]; ++i)
                value += "&" + below + ";";
            if (level + 1 == fanOut.size()) {
                for (int a = 1; a <= attributes; ++a)
                    dtd += "<!ATTLIST e a" + std::to_string(a) + " CDATA \"" + value + "\">\n";
            } else {
                below = std::string(1, static_cast<char>('b' + level));
                dtd += "<!ENTITY " + below + " \"" + value + "\">\n";
            }
        }
        std::string content;
        for (int i = 0; i < elements; ++i)
            content += "<e/>";
        return "<?xml version=\"1.0\"?>\n<!DOCTYPE Book [\n" + dtd + "]>\n" +
               (padding > 0 ? "<!--" + std::string(static_cast<std::size_t>(padding), 'p') + "-->\n"
                            : "") +
               "<Book>\n" + content + last + "</Book>\n";
    }
};

} // namespace duebell::testdocuments
