#include "objectlist/saxreader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace duebell {
namespace {

// Records every event as one line of text, so a test compares the whole sequence at once.
class EventLog : public SaxContentHandler {
public:
    std::vector<std::string> events;
    std::string throwOnStart; // element name whose start tag raises

    void startElement(std::string_view name, const SaxAttributes& attributes) override {
        if (name == throwOnStart)
            throw std::runtime_error("handler refused " + std::string(name));
        std::string line = "start " + std::string(name);
        for (const auto& a : attributes)
            line += " " + a.name + "=" + a.value;
        events.push_back(line);
    }
    void endElement(std::string_view name) override {
        events.push_back("end " + std::string(name));
    }
    void characters(std::string_view text) override {
        events.push_back("text " + std::string(text));
    }
};

TEST(SaxReader, DeliversElementsAttributesAndTextInDocumentOrder) {
    EventLog log;
    SaxError error;
    ASSERT_TRUE(SaxReader::parse(R"(<?xml version="1.0" encoding="UTF-8"?>
<Root a="1" b="x y"><Name>Smith &amp; Sons</Name><Empty/></Root>)",
                                 log, error));
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"start Root a=1 b=x y", "start Name", "text Smith & Sons",
                                        "end Name", "start Empty", "end Empty", "end Root"}));
}

TEST(SaxReader, TextBrokenUpByTheParserArrivesAsOnePiece) {
    // Entity references, character references and line ends each split expat's character data.
    EventLog log;
    SaxError error;
    ASSERT_TRUE(SaxReader::parse("<a>one &lt;two&gt;&#13;\nthree &#xE9;</a>", log, error));
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_EQ(log.events[1], "text one <two>\r\nthree \xC3\xA9");
}

TEST(SaxReader, TextLongerThanOneReadOfTheStreamArrivesAsOnePiece) {
    const std::string text(700 * 1024, 'x');
    std::istringstream input("<a>" + text + "</a>");
    EventLog log;
    SaxError error;
    ASSERT_TRUE(SaxReader::parse(input, log, error));
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_EQ(log.events[1].size(), text.size() + 5);
}

TEST(SaxReader, NamesArriveAsWrittenWithoutNamespaceProcessing) {
    EventLog log;
    SaxError error;
    ASSERT_TRUE(SaxReader::parse(
        R"(<r xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"><x:b xsi:type="T"/></r>)", log,
        error));
    EXPECT_EQ(log.events[0], "start r xmlns:xsi=http://www.w3.org/2001/XMLSchema-instance");
    EXPECT_EQ(log.events[1], "start x:b xsi:type=T");
}

TEST(SaxReader, ExternalEntitiesAreNeverFetched) {
    EventLog log;
    SaxError error;
    const bool ok = SaxReader::parse(R"(<?xml version="1.0"?>
<!DOCTYPE r [<!ENTITY secret SYSTEM "file:///etc/passwd">]>
<r>before&secret;after</r>)",
                                     log, error);
    ASSERT_TRUE(ok) << error.message;
    for (const auto& event : log.events)
        EXPECT_EQ(event.find("root:"), std::string::npos) << event;
}

TEST(SaxReader, MalformedDocumentsReportLineAndOneBasedColumn) {
    struct Case {
        std::string document;
        int line;
        int column;
        std::string message;
    };
    const Case cases[] = {
        {"<a>\n  <b></a>", 2, 8, "mismatched tag"},
        {"<a><b>", 1, 7, "no element found"},
        {"", 1, 1, "no element found"},
        {"<a>\xFF</a>", 1, 4, "not well-formed (invalid token)"},
        {"PK\x03\x04", 1, 3, "not well-formed (invalid token)"}, // a zip file
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document);
        EventLog log;
        SaxError error;
        EXPECT_FALSE(SaxReader::parse(c.document, log, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.column, c.column);
        EXPECT_EQ(error.message, c.message);
        std::istringstream input(c.document); // a stream gives the same error
        SaxError fromStream;
        EXPECT_FALSE(SaxReader::parse(input, log, fromStream));
        EXPECT_EQ(std::tie(fromStream.line, fromStream.column, fromStream.message),
                  std::tie(c.line, c.column, c.message));
    }
}

TEST(SaxReader, HandlerExceptionStopsTheParseAndPropagatesWithItsPosition) {
    EventLog log;
    log.throwOnStart = "bad";
    SaxError error;
    EXPECT_THROW(
        {
            try {
                SaxReader::parse("<a>\n<ok/>\n  <bad/>\n<later/></a>", log, error);
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "handler refused bad");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"start a", "text \n", "start ok", "end ok", "text \n  "}));
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.column, 3);
}

} // namespace
} // namespace duebell
