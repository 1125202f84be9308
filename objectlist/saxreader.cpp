#include "objectlist/saxreader.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <expat.h>

namespace duebell {

namespace {

constexpr int ReadChunkSize = 64 * 1024;

// Owns the expat parser for one parse and translates its C callbacks into handler calls.
class ExpatSession {
public:
    explicit ExpatSession(SaxContentHandler& handler)
        : handler_(handler), parser_(XML_ParserCreate(nullptr)) {
        if (parser_ == nullptr)
            throw std::bad_alloc();
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &ExpatSession::onStart, &ExpatSession::onEnd);
        XML_SetCharacterDataHandler(parser_, &ExpatSession::onCharacters);
        // Never fetch anything from outside the document.
        XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    }
    ExpatSession(const ExpatSession&) = delete;
    ExpatSession& operator=(const ExpatSession&) = delete;
    ~ExpatSession() { XML_ParserFree(parser_); }

    // One piece of the document; false once the parse has failed or a handler threw.
    bool feed(const char* data, int length, bool isFinal) {
        return XML_Parse(parser_, data, length, isFinal) == XML_STATUS_OK;
    }

    bool feedStream(std::istream& input, SaxError& error) {
        for (;;) {
            void* buffer = XML_GetBuffer(parser_, ReadChunkSize);
            if (buffer == nullptr)
                throw std::bad_alloc();
            input.read(static_cast<char*>(buffer), ReadChunkSize);
            const auto length = static_cast<int>(input.gcount());
            if (input.bad()) {
                error = {0, 0, "Read error"};
                return false;
            }
            const bool isFinal = input.eof() || length < ReadChunkSize;
            if (XML_ParseBuffer(parser_, length, isFinal) != XML_STATUS_OK)
                return false;
            if (isFinal)
                return true;
        }
    }

    // After a failed feed: rethrows a handler's exception, else describes the parse error.
    void describeFailure(SaxError& error) {
        if (pending_) {
            error = handlerPosition_;
            std::rethrow_exception(pending_);
        }
        if (XML_GetErrorCode(parser_) == XML_ERROR_NONE)
            return; // a stream error, already described
        error.line = static_cast<int>(XML_GetCurrentLineNumber(parser_));
        error.column = static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1;
        error.message = XML_ErrorString(XML_GetErrorCode(parser_));
    }

private:
    template <typename Event> void guarded(Event&& event) {
        if (pending_)
            return;
        try {
            event();
        } catch (...) {
            pending_ = std::current_exception();
            handlerPosition_.line = static_cast<int>(XML_GetCurrentLineNumber(parser_));
            handlerPosition_.column = static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1;
            XML_StopParser(parser_, XML_FALSE);
        }
    }

    void flushText() {
        if (text_.empty())
            return;
        handler_.characters(text_);
        text_.clear();
    }

    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        auto& session = *static_cast<ExpatSession*>(self);
        session.guarded([&] {
            session.flushText();
            std::size_t count = 0;
            for (const XML_Char** a = attributes; a[0] != nullptr; a += 2) {
                if (count == session.attributes_.size())
                    session.attributes_.emplace_back();
                session.attributes_[count].name.assign(a[0]);
                session.attributes_[count].value.assign(a[1]);
                ++count;
            }
            session.attributes_.resize(count);
            session.handler_.startElement(name, session.attributes_);
        });
    }

    static void XMLCALL onEnd(void* self, const XML_Char* name) {
        auto& session = *static_cast<ExpatSession*>(self);
        session.guarded([&] {
            session.flushText();
            session.handler_.endElement(name);
        });
    }

    static void XMLCALL onCharacters(void* self, const XML_Char* text, int length) {
        auto& session = *static_cast<ExpatSession*>(self);
        session.guarded([&] { session.text_.append(text, static_cast<std::size_t>(length)); });
    }

    SaxContentHandler& handler_;
    XML_Parser parser_;
    std::string text_;
    SaxAttributes attributes_;
    std::exception_ptr pending_;
    SaxError handlerPosition_;
};

} // namespace

bool SaxReader::parse(std::istream& input, SaxContentHandler& handler, SaxError& error) {
    ExpatSession session(handler);
    if (session.feedStream(input, error))
        return true;
    session.describeFailure(error);
    return false;
}

bool SaxReader::parse(std::string_view document, SaxContentHandler& handler, SaxError& error) {
    ExpatSession session(handler);
    constexpr std::size_t MaxPiece = INT_MAX / 2;
    do {
        const std::size_t length = std::min(document.size(), MaxPiece);
        const bool isFinal = length == document.size();
        if (!session.feed(document.data(), static_cast<int>(length), isFinal)) {
            session.describeFailure(error);
            return false;
        }
        document.remove_prefix(length);
    } while (!document.empty());
    return true;
}

} // namespace duebell
