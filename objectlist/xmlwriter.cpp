#include "objectlist/xmlwriter.h"

#include "objectlist/exceptions.h"

namespace duebell {

namespace {

constexpr std::size_t FlushThreshold = 256 * 1024;
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at text[i] (lead byte >= 0x80), 0 when invalid.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) -> unsigned char {
        return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
    };
    const unsigned char lead = at(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return isContinuation(at(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char second = at(1);
        const bool secondOk = lead == 0xE0   ? second >= 0xA0 && second <= 0xBF
                              : lead == 0xED ? second >= 0x80 && second <= 0x9F // no surrogates
                                             : isContinuation(second);
        return secondOk && isContinuation(at(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char second = at(1);
        const bool secondOk = lead == 0xF0   ? second >= 0x90 && second <= 0xBF
                              : lead == 0xF4 ? second >= 0x80 && second <= 0x8F
                                             : isContinuation(second);
        return secondOk && isContinuation(at(2)) && isContinuation(at(3)) ? 4 : 0;
    }
    return 0;
}

// U+FFFE and U+FFFF are no XML characters.
bool isNonCharacter(std::string_view sequence) {
    return sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
}

void appendEscaped(std::string& out, std::string_view text, bool inAttribute) {
    std::size_t plainStart = 0;
    std::size_t i = 0;
    const auto flushPlain = [&] { out.append(text.substr(plainStart, i - plainStart)); };
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::string_view replacement;
        std::size_t consumed = 1;
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                replacement = ReplacementCharacter;
            } else if (isNonCharacter(text.substr(i, length))) {
                consumed = length; // dropped
            } else {
                i += length;
                continue;
            }
        } else if (c == '&') {
            replacement = "&amp;";
        } else if (c == '<') {
            replacement = "&lt;";
        } else if (c == '>') {
            replacement = "&gt;";
        } else if (c == '\r') {
            replacement = "&#13;";
        } else if (inAttribute && c == '"') {
            replacement = "&quot;";
        } else if (inAttribute && c == '\n') {
            replacement = "&#10;";
        } else if (inAttribute && c == '\t') {
            replacement = "&#9;";
        } else if (c < 0x20 && c != '\n' && c != '\t') {
            // dropped: XML 1.0 has no way to carry it
        } else {
            ++i;
            continue;
        }
        flushPlain();
        out.append(replacement);
        i += consumed;
        plainStart = i;
    }
    flushPlain();
}

} // namespace

XmlWriter::XmlWriter(std::ostream& output) : output_(output) {}

void XmlWriter::startDocument() {
    buffer_.append(R"(<?xml version="1.0" encoding="UTF-8"?>)");
}

void XmlWriter::startElement(std::string_view name, const SaxAttributes& attributes) {
    closePendingTag();
    if (!open_.empty())
        open_.back().hasChildren = true;
    newLine(open_.size());
    buffer_.push_back('<');
    buffer_.append(name);
    for (const auto& attribute : attributes) {
        buffer_.push_back(' ');
        buffer_.append(attribute.name);
        buffer_.append("=\"");
        appendEscaped(buffer_, attribute.value, true);
        buffer_.push_back('"');
    }
    open_.push_back({std::string(name), false});
    tagPending_ = true;
}

void XmlWriter::characters(std::string_view text) {
    if (open_.empty())
        throw InternalError("XML text outside of any element.");
    if (text.empty())
        return;
    closePendingTag();
    appendEscaped(buffer_, text, false);
    flushIfFull();
}

void XmlWriter::endElement() {
    if (open_.empty())
        throw InternalError("XML end tag without a start tag.");
    const OpenElement& element = open_.back();
    if (tagPending_) {
        buffer_.append("/>");
        tagPending_ = false;
    } else {
        if (element.hasChildren)
            newLine(open_.size() - 1);
        buffer_.append("</");
        buffer_.append(element.name);
        buffer_.push_back('>');
    }
    open_.pop_back();
    flushIfFull();
}

void XmlWriter::endDocument() {
    if (!open_.empty())
        throw InternalError("XML document ended with open elements.");
    buffer_.push_back('\n');
    output_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    output_.flush();
}

void XmlWriter::closePendingTag() {
    if (tagPending_) {
        buffer_.push_back('>');
        tagPending_ = false;
    }
}

void XmlWriter::newLine(std::size_t depth) {
    buffer_.push_back('\n');
    buffer_.append(depth, '\t');
}

void XmlWriter::flushIfFull() {
    if (buffer_.size() < FlushThreshold)
        return;
    output_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

} // namespace duebell
