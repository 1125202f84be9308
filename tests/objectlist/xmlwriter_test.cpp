#include "objectlist/exceptions.h"
#include "objectlist/saxreader.h"
#include "objectlist/xmlwriter.h"
#include "testfiles.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace duebell {
namespace {

using testfiles::ReadFile;

// A document with one element holding the given text, and its attribute holding it too.
std::string writeText(std::string_view text) {
    std::ostringstream out;
    XmlWriter writer(out);
    writer.startDocument();
    writer.startElement("V", {{"a", std::string(text)}});
    writer.characters(text);
    writer.endElement();
    writer.endDocument();
    return out.str();
}

// Collects the text and the attribute "a" of the single element of a document.
class ValueReader : public SaxContentHandler {
public:
    std::string text;
    std::string attribute;
    void startElement(std::string_view, const SaxAttributes& attributes) override {
        for (const auto& a : attributes)
            if (a.name == "a")
                attribute = a.value;
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view t) override { text += t; }
};

ValueReader readBack(const std::string& document) {
    ValueReader reader;
    SaxError error;
    EXPECT_TRUE(SaxReader::parse(document, reader, error))
        << error.message << " at " << error.line << ":" << error.column << "\n"
        << document;
    return reader;
}

TEST(XmlWriter, WritesTheFrozenFileFormat) {
    // The golden file is the file format: a change here is a change for every user's data.
    std::ostringstream out;
    XmlWriter writer(out);
    writer.startDocument();
    writer.startElement("MorvaneData");
    writer.startElement("Clients", {{"count", "2"}, {"note", "a \"b\" <c> & d\te\nf\rg"}});
    writer.startElement("MorvaneClient");
    writer.startElement("Name");
    writer.characters("O'Brien & Sons <Pty> \"Ltd\"");
    writer.endElement();
    writer.startElement("Notes");
    writer.characters("line one\r\nline two\ttabbed ");
    writer.endElement();
    writer.startElement("Suburb");
    writer.characters("Sch\xC3\xB6nberg \xE2\x82\xAC");
    writer.endElement();
    writer.startElement("Address");
    writer.endElement();
    writer.endElement();
    writer.startElement("MorvaneClient", {{"xsi:type", "Other"}});
    writer.characters("own text");
    writer.startElement("Amount");
    writer.characters("1250.5");
    writer.endElement();
    writer.endElement();
    writer.endElement();
    writer.endElement();
    writer.endDocument();
    EXPECT_EQ(out.str(), ReadFile(DUEBELL_TEST_DATA_DIR "/xmlwriter_golden.xml"));
}

TEST(XmlWriter, MarkupCharactersAndLineEndsRoundTrip) {
    const std::string texts[] = {
        "a & b < c > d",
        "\"quoted\" and 'single'",
        "CRLF\r\nline\rCR only\nLF only",
        "  leading and trailing blanks  ",
        "\ttab\tinside",
        "]]> looks like the end of CDATA",
        "Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x8F\xA0",
    };
    for (const auto& text : texts) {
        const ValueReader back = readBack(writeText(text));
        EXPECT_EQ(back.text, text);
        EXPECT_EQ(back.attribute, text);
    }
}

TEST(XmlWriter, CarriageReturnIsWrittenAsCharacterReference) {
    EXPECT_NE(writeText("a\r\nb").find(">a&#13;\nb<"), std::string::npos);
}

TEST(XmlWriter, TextXmlCannotCarryIsDroppedOrReplaced) {
    const std::string R = "\xEF\xBF\xBD"; // U+FFFD, the replacement character
    struct Case {
        std::string written;
        std::string readBack;
    };
    const Case cases[] = {
        {std::string("a\0b", 3), "ab"},                       // NUL
        {"bell\x07 escape\x1B form\x0C", "bell escape form"}, // other C0 controls
        {"x\xEF\xBF\xBEy\xEF\xBF\xBFz", "xyz"},               // U+FFFE, U+FFFF
        {"caf\xE9", "caf" + R},                               // a Latin-1 byte
        {"\xC0\xAF", R + R},                                  // overlong encoding
        {"\xED\xA0\x80", R + R + R},                          // encoded surrogate
        {"cut \xE2\x82", "cut " + R + R},                     // truncated sequence
        {"\xF4\x90\x80\x80", R + R + R + R},                  // beyond U+10FFFF
    };
    for (const auto& c : cases) {
        const ValueReader back = readBack(writeText(c.written));
        EXPECT_EQ(back.text, c.readBack);
        EXPECT_EQ(back.attribute, c.readBack);
    }
}

TEST(XmlWriter, AnyBytesAtAllGiveADocumentThatReadsBack) {
    std::mt19937 random(20240305);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string text(static_cast<std::size_t>(length(random)), '\0');
        for (auto& c : text)
            c = static_cast<char>(byte(random));
        const std::string document = writeText(text);
        ValueReader reader;
        SaxError error;
        ASSERT_TRUE(SaxReader::parse(document, reader, error)) << error.message;
    }
}

TEST(XmlWriter, MisuseIsAnInternalError) {
    std::ostringstream out;
    XmlWriter writer(out);
    writer.startDocument();
    EXPECT_THROW(writer.endElement(), Exception);
    EXPECT_THROW(writer.characters("x"), Exception);
    writer.startElement("a");
    EXPECT_THROW(writer.endDocument(), Exception);
}

TEST(XmlWriter, LargeDocumentsReachTheStreamWhole) {
    std::ostringstream out;
    XmlWriter writer(out);
    writer.startDocument();
    writer.startElement("r");
    for (int i = 0; i < 20000; ++i) {
        writer.startElement("v");
        writer.characters("0123456789");
        writer.endElement();
    }
    writer.endElement();
    writer.endDocument();
    // declaration, root lines, and per value "\n\t<v>0123456789</v>" = 19 bytes
    EXPECT_EQ(out.str().size(), 38u + 4u + 20000u * 19u + 5u + 1u);
}

} // namespace
} // namespace duebell
