// The indented UTF-8 XML writer of the record store. Its exact bytes are the file format:
//   <?xml version="1.0" encoding="UTF-8"?>     declaration, no byte-order mark
//   every element on a line of its own, indented by one TAB per level, LF line ends;
//   an element holding only text stays on one line: <Name>text</Name>;
//   an element holding nothing is written <Name/>;
//   & < > escaped everywhere, CR as &#13; so CRLF text comes back as written;
//   in attributes also " and TAB, LF as character references.
// Text XML cannot carry never reaches the file: other C0 control characters and U+FFFE/U+FFFF
// are dropped and each byte of invalid UTF-8 becomes U+FFFD, so every file written reads back.
#pragma once

#include "objectlist/saxreader.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

class XmlWriter {
public:
    explicit XmlWriter(std::ostream& output);
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    void startDocument();
    // Element names come from the program (property and class names) and are written as given.
    void startElement(std::string_view name, const SaxAttributes& attributes = {});
    void characters(std::string_view text);
    void endElement();
    // Ends the last line and hands everything to the stream.
    void endDocument();

private:
    struct OpenElement {
        std::string name;
        bool hasChildren = false;
    };

    void closePendingTag();
    void newLine(std::size_t depth);
    void flushIfFull();

    std::ostream& output_;
    std::string buffer_;
    std::vector<OpenElement> open_;
    bool tagPending_ = false; // the last start tag still lacks its '>'
};

} // namespace duebell
