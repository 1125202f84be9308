#include "addressspacelimit.h"
#include "expandingdocument.h"
#include "objectlist/saxreader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <streambuf>
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

// A document far longer than one read of a stream, one element a line, with the events a
// handler must see for it: the parse runs well ahead of the handler and must wait for it.
struct LongDocument {
    std::string text = "<root>";
    std::vector<std::string> events = {"start root"};
    std::size_t eventsBeforeBad = 0; // what a handler refusing <bad/> has seen

    explicit LongDocument(int lines, int badLine = 0) {
        for (int i = 1; i <= lines; ++i) {
            const std::string n = std::to_string(i);
            const std::string name = "e" + std::to_string(i % 7);
            events.push_back("text \n  ");
            if (i == badLine) {
                eventsBeforeBad = events.size();
                text += "\n  <bad/>";
                continue;
            }
            text += "\n  <" + name + " n=\"v&amp;" + n + "\">t" + n + " &lt;\xC3\xA9</" + name + ">";
            events.push_back("start " + name + " n=v&" + n);
            events.push_back("text t" + n + " <\xC3\xA9");
            events.push_back("end " + name);
        }
        text += "\n</root>";
        events.push_back("text \n");
        events.push_back("end root");
    }
};

// Where the events seen part from the first `count` of those wanted, or "" (a readable
// failure for lists of a hundred thousand events).
std::string FirstDifference(const std::vector<std::string>& seen,
                            const std::vector<std::string>& wanted, std::size_t count) {
    for (std::size_t i = 0; i < std::max(seen.size(), count); ++i) {
        const std::string a = i < seen.size() ? seen[i] : "(none)";
        const std::string b = i < count ? wanted[i] : "(none)";
        if (a != b)
            return "event " + std::to_string(i) + ": " + a + " instead of " + b;
    }
    return "";
}

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

TEST(SaxReader, ADocumentOfManyReadsArrivesWholeAndInOrderFromAStreamOrMemoryOnOneThreadOrMore) {
    const LongDocument document(60000);
    ASSERT_GT(document.text.size(), 2'000'000u);
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        EventLog fromMemory;
        SaxError error;
        ASSERT_TRUE(SaxReader::parse(document.text, fromMemory, error, threads)) << error.message;
        EXPECT_EQ(FirstDifference(fromMemory.events, document.events, document.events.size()), "");
        std::istringstream input(document.text);
        EventLog fromStream;
        ASSERT_TRUE(SaxReader::parse(input, fromStream, error, threads)) << error.message;
        EXPECT_EQ(FirstDifference(fromStream.events, document.events, document.events.size()), "");
    }
}

// A stream that cannot go back, like a pipe: it gives the first `good` bytes of the text,
// then fails every read (or ends there).
class OneWayBuffer : public std::streambuf {
public:
    OneWayBuffer(std::string text, std::size_t good, bool fails)
        : text_(std::move(text)), fails_(fails) {
        setg(text_.data(), text_.data(), text_.data() + good);
    }

protected:
    int_type underflow() override {
        if (fails_)
            throw std::runtime_error("the disk failed");
        return traits_type::eof();
    }

private:
    std::string text_;
    bool fails_;
};

TEST(SaxReader, AStreamThatFailsPartWayGivesWhatWasReadAndAReadError) {
    const LongDocument document(60000);
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        OneWayBuffer buffer(document.text, 300'000, true);
        std::istream input(&buffer);
        EventLog log;
        SaxError error;
        EXPECT_FALSE(SaxReader::parse(input, log, error, threads));
        EXPECT_EQ(error.message, "Read error");
        ASSERT_GT(log.events.size(), 1000u);
        ASSERT_LT(log.events.size(), document.events.size());
        EXPECT_EQ(FirstDifference(log.events, document.events, log.events.size()), "");
    }
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
        {LongDocument(50000).text.substr(0, LongDocument(50000).text.size() - 8) + "\n  <c></a>",
         50002, 8, "mismatched tag"}, // found far beyond the first read
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

TEST(SaxReader, HandlerExceptionDeepInALongDocumentStopsTheParseThereWithItsPosition) {
    const LongDocument document(60000, 5000);
    for (const unsigned threads : {1u, 8u})
        for (const std::string source : {"memory", "stream", "stream that cannot go back"}) {
            SCOPED_TRACE(source + ", " + std::to_string(threads) + " threads");
            EventLog log;
            log.throwOnStart = "bad";
            SaxError error;
            std::istringstream input(document.text);
            OneWayBuffer buffer(document.text, document.text.size(), false);
            std::istream oneWay(&buffer);
            EXPECT_THROW(source == "memory" ? SaxReader::parse(document.text, log, error, threads)
                                            : SaxReader::parse(source == "stream" ? input : oneWay,
                                                               log, error, threads),
                         std::runtime_error);
            EXPECT_EQ(error.line, 5001);
            EXPECT_EQ(error.column, 3);
            EXPECT_EQ(FirstDifference(log.events, document.events, document.eventsBeforeBad), "");
        }
}

// Counts the start tags and the bytes of their attribute values, keeping none of them.
class AttributeBytes : public SaxContentHandler {
public:
    std::size_t elements = 0;
    std::size_t bytes = 0;

    void startElement(std::string_view, const SaxAttributes& attributes) override {
        ++elements;
        for (const auto& a : attributes)
            bytes += a.value.size();
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}
};

TEST(SaxReader, TheEventsHeldForTheHandlerStayBoundedInBytesHoweverShortTheDocumentOnOneThreadOrMore) {
    if (!testlimits::AddressSpaceCanBeLimited)
        GTEST_SKIP() << "no address space limit under the sanitizers";
    // 200 <e/> elements, each given by its DTD attribute values of, by hand: one of
    // 1,000 x 60 x 100 = 6,000,000 bytes; three of 1,000 x 60 x 33 = 1,980,000 (5,940,000);
    // one of 1,000 x 10 x 10 x 6 x 10 = 6,000,000. All the events come to 200 times that,
    // about 1.2 GB, against the 256 MiB the parse may take.
    struct Case {
        const char* name;
        testdocuments::ExpandingDocument document;
        std::size_t bytesPerElement;
    };
    const Case cases[] = {
        {"one attribute", {.fanOut = {60, 100}, .elements = 200}, 6'000'000},
        {"three attributes", {.attributes = 3, .fanOut = {60, 33}, .elements = 200}, 5'940'000},
        {"four levels of entities", {.fanOut = {10, 10, 6, 10}, .elements = 200}, 6'000'000},
        {"longer than one read",
         {.fanOut = {60, 100}, .elements = 200, .padding = 70'000},
         6'000'000},
    };
    for (const Case& c : cases) {
        const std::string text = c.document.text();
        for (const unsigned threads : {1u, 8u}) {
            const int code = testlimits::ExitCodeWithAddressSpaceOf(256 * testlimits::MiB, [&] {
                std::istringstream input(text);
                AttributeBytes seen;
                SaxError error;
                const bool parsed = SaxReader::parse(input, seen, error, threads);
                return parsed && seen.elements == 201 && seen.bytes == 200 * c.bytesPerElement ? 0
                                                                                               : 1;
            });
            EXPECT_EQ(code, 0) << c.name << ", " << threads << " threads";
        }
    }
}

} // namespace
} // namespace duebell
