// A small SAX reader over expat: the events the record store needs, nothing more.
// No namespace processing (a name like "xsi:type" arrives as written) and no external
// entities. Character data between two tags arrive as one piece, however expat chunks them.
// The handler is called on the caller's thread only; a document longer than one read is
// parsed meanwhile on a thread of its own, a few blocks of events ahead. An exception
// thrown by a handler stops the parse and is rethrown from parse().
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

struct SaxAttribute {
    std::string name;
    std::string value;
};

using SaxAttributes = std::vector<SaxAttribute>;

class SaxContentHandler {
public:
    virtual ~SaxContentHandler() = default;
    virtual void startElement(std::string_view name, const SaxAttributes& attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void characters(std::string_view text) = 0;
};

// The first error the parser met; line and column count from 1.
struct SaxError {
    int line = 0;
    int column = 0;
    std::string message;
};

class SaxReader {
public:
    // Feeds the whole document to the handler. False (with error filled) when it is not
    // well-formed or the stream fails. A handler's exception propagates after the parse has
    // stopped, with error holding the line and column of the event that raised it.
    static bool parse(std::istream& input, SaxContentHandler& handler, SaxError& error);
    static bool parse(std::string_view document, SaxContentHandler& handler, SaxError& error);
};

} // namespace duebell
