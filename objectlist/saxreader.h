// A small SAX reader over expat: the events the record store needs, nothing more.
// No namespace processing (a name like "xsi:type" arrives as written) and no external
// entities. Character data between two tags arrive as one piece, however expat chunks them.
// The handler is called on the caller's thread only. Given a second thread, a document longer
// than one read is parsed meanwhile on a thread of its own, a bounded number of bytes of events
// ahead; otherwise parse and handler take turns, one block of events at a time. However short
// the document and however large the events its entities expand to, what is held between the
// parse and the handler stays bounded. An exception thrown by a handler stops the parse and is
// rethrown from parse().
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <thread>
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
    // Feeds the whole document to the handler, on at most `threads` threads. False (with error
    // filled) when it is not well-formed or the stream fails. A handler's exception propagates
    // after the parse has stopped, with error holding the line and column of the event that
    // raised it.
    static bool parse(std::istream& input, SaxContentHandler& handler, SaxError& error,
                      unsigned threads = std::thread::hardware_concurrency());
    static bool parse(std::string_view document, SaxContentHandler& handler, SaxError& error,
                      unsigned threads = std::thread::hardware_concurrency());
};

} // namespace duebell
