#include "objectlist/saxreader.h"

#include "objectlist/saxeventqueue.h"

#include <algorithm>
#include <exception>
#include <expat.h>
#include <system_error>
#include <thread>

namespace duebell {

namespace {

constexpr int ReadChunkSize = 64 * 1024;
// How far a document longer than one read may be parsed ahead of its handler, which then
// works on this thread while the parse goes on in a thread of its own.
constexpr std::size_t BlocksAhead = 8;

// Owns the expat parser of one parse and writes the events it meets.
class ExpatRecorder {
public:
    explicit ExpatRecorder(SaxBlockSink& sink)
        : writer_(sink), parser_(XML_ParserCreate(nullptr)) {
        if (parser_ == nullptr)
            throw std::bad_alloc();
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &ExpatRecorder::onStart, &ExpatRecorder::onEnd);
        XML_SetCharacterDataHandler(parser_, &ExpatRecorder::onCharacters);
        // Never fetch anything from outside the document.
        XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    }
    ExpatRecorder(const ExpatRecorder&) = delete;
    ExpatRecorder& operator=(const ExpatRecorder&) = delete;
    ~ExpatRecorder() { XML_ParserFree(parser_); }

    void* buffer(int length) {
        void* buffer = XML_GetBuffer(parser_, length);
        if (buffer == nullptr)
            throw std::bad_alloc();
        return buffer;
    }
    // One piece, from buffer() or from memory; false once the parse has failed.
    bool parseBuffer(int length, bool isFinal) {
        return checked(XML_ParseBuffer(parser_, length, isFinal));
    }
    bool parse(const char* data, int length, bool isFinal) {
        return checked(XML_Parse(parser_, data, length, isFinal));
    }
    SaxError error() const {
        return {static_cast<int>(XML_GetCurrentLineNumber(parser_)),
                static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1,
                XML_ErrorString(XML_GetErrorCode(parser_))};
    }
    void flush() { writer_.flush(); }

private:
    // Rethrows what an event's writing raised, once expat has returned.
    bool checked(XML_Status status) {
        if (pending_)
            std::rethrow_exception(pending_);
        return status == XML_STATUS_OK;
    }

    template <typename Event> void guarded(Event&& event) {
        if (pending_)
            return;
        try {
            event();
        } catch (...) {
            pending_ = std::current_exception();
            XML_StopParser(parser_, XML_FALSE);
        }
    }

    int line() const { return static_cast<int>(XML_GetCurrentLineNumber(parser_)); }
    int column() const { return static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1; }

    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        auto& recorder = *static_cast<ExpatRecorder*>(self);
        recorder.guarded([&] {
            recorder.writer_.start(name, attributes, recorder.line(), recorder.column());
        });
    }

    static void XMLCALL onEnd(void* self, const XML_Char*) {
        auto& recorder = *static_cast<ExpatRecorder*>(self);
        recorder.guarded([&] { recorder.writer_.end(recorder.line(), recorder.column()); });
    }

    static void XMLCALL onCharacters(void* self, const XML_Char* text, int length) {
        auto& recorder = *static_cast<ExpatRecorder*>(self);
        recorder.guarded(
            [&] { recorder.writer_.text(text, static_cast<std::size_t>(length)); });
    }

    SaxEventWriter writer_;
    XML_Parser parser_;
    std::exception_ptr pending_;
};

struct Piece {
    int length = 0;
    bool isFinal = true;
};

// A document read from a stream into the parser's own buffer, a chunk at a time.
class StreamDocument {
public:
    explicit StreamDocument(std::istream& input) : input_(input) {}

    // False on a read error.
    bool read(ExpatRecorder& recorder, Piece& piece) {
        input_.read(static_cast<char*>(recorder.buffer(ReadChunkSize)), ReadChunkSize);
        piece.length = static_cast<int>(input_.gcount());
        piece.isFinal = input_.eof() || piece.length < ReadChunkSize;
        return !input_.bad();
    }
    bool parse(ExpatRecorder& recorder, const Piece& piece) {
        return recorder.parseBuffer(piece.length, piece.isFinal);
    }

private:
    std::istream& input_;
};

// A document in memory, in pieces of a read's size.
class MemoryDocument {
public:
    explicit MemoryDocument(std::string_view document) : rest_(document) {}

    bool read(ExpatRecorder&, Piece& piece) {
        piece.length = static_cast<int>(std::min<std::size_t>(rest_.size(), ReadChunkSize));
        piece.isFinal = static_cast<std::size_t>(piece.length) == rest_.size();
        current_ = rest_.data();
        rest_.remove_prefix(static_cast<std::size_t>(piece.length));
        return true;
    }
    bool parse(ExpatRecorder& recorder, const Piece& piece) {
        return recorder.parse(current_, piece.length, piece.isFinal);
    }

private:
    std::string_view rest_;
    const char* current_ = nullptr;
};

// Parses from the piece already read to the end, a failure, or the reader's stop.
template <class Document>
SaxParseOutcome ParseRest(Document& document, ExpatRecorder& recorder, Piece piece,
                          const SaxEventQueue& queue) {
    SaxParseOutcome outcome;
    try {
        for (;;) {
            if (!document.parse(recorder, piece)) {
                outcome.error = recorder.error();
                break;
            }
            if (piece.isFinal) {
                outcome.ok = true;
                break;
            }
            if (queue.stopped())
                break;
            if (!document.read(recorder, piece)) {
                outcome.error = {0, 0, "Read error"};
                break;
            }
        }
        recorder.flush(); // the events before a failure are played too
    } catch (...) {
        outcome.failure = std::current_exception();
    }
    return outcome;
}

// However the reader leaves, a parse still running is told to stop, and is waited for.
class ParseThread {
public:
    explicit ParseThread(SaxEventQueue& queue) : queue_(queue) {}
    ParseThread(const ParseThread&) = delete;
    ParseThread& operator=(const ParseThread&) = delete;
    ~ParseThread() {
        queue_.stop();
        if (thread_.joinable())
            thread_.join();
    }

    // False when no thread could be had.
    template <class Work> bool start(Work&& work) {
        try {
            thread_ = std::thread(std::forward<Work>(work));
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }

private:
    SaxEventQueue& queue_;
    std::thread thread_;
};

template <class Document>
bool Parse(Document& document, SaxContentHandler& handler, SaxError& error) {
    SaxEventQueue queue;
    ExpatRecorder recorder(queue);
    Piece first;
    if (!document.read(recorder, first)) {
        error = {0, 0, "Read error"};
        return false;
    }
    ParseThread parse(queue);
    auto parseRest = [&] { queue.finish(ParseRest(document, recorder, first, queue)); };
    bool aside = false;
    if (!first.isFinal && std::thread::hardware_concurrency() > 1) {
        queue.limit(BlocksAhead);
        aside = parse.start(parseRest);
        if (!aside)
            queue.limit(0);
    }
    if (!aside)
        parseRest();

    SaxEventPlayer player(handler);
    SaxEventBlock block;
    while (queue.next(block)) {
        try {
            player.play(block);
        } catch (...) {
            error = player.position();
            throw;
        }
        queue.giveBack(std::move(block));
    }
    SaxParseOutcome outcome = queue.outcome();
    if (outcome.failure)
        std::rethrow_exception(outcome.failure);
    if (!outcome.ok)
        error = outcome.error;
    return outcome.ok;
}

} // namespace

bool SaxReader::parse(std::istream& input, SaxContentHandler& handler, SaxError& error) {
    StreamDocument document(input);
    return Parse(document, handler, error);
}

bool SaxReader::parse(std::string_view document, SaxContentHandler& handler, SaxError& error) {
    MemoryDocument memory(document);
    return Parse(memory, handler, error);
}

} // namespace duebell
