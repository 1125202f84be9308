#include "objectlist/saxreader.h"

#include "objectlist/expatdocument.h"
#include "objectlist/saxeventqueue.h"

#include <exception>
#include <system_error>
#include <thread>

namespace duebell {

namespace {

// How far a document longer than one read may be parsed ahead of its handler, which then
// works on this thread while the parse goes on in a thread of its own.
constexpr std::size_t BlocksAhead = 8;

// A tag's place as the parse records it: its byte offset in the document, turned into line
// and column only should a handler refuse the tag; or, for a stream that cannot be read
// again, its line and column packed, worked out as the parse goes (which takes the parse a
// second pass over every byte).
std::int64_t PackedLineAndColumn(const ExpatParser& parser) {
    return (static_cast<std::int64_t>(parser.line()) << 32) |
           static_cast<std::uint32_t>(parser.column());
}

SaxError UnpackedLineAndColumn(std::int64_t place) {
    return {static_cast<int>(place >> 32), static_cast<int>(place & 0xFFFFFFFF), ""};
}

// Writes the events of one parse.
class ExpatRecorder {
public:
    ExpatRecorder(SaxBlockSink& sink, bool placesByLine)
        : writer_(sink), placesByLine_(placesByLine) {
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &ExpatRecorder::onStart, &ExpatRecorder::onEnd);
        XML_SetCharacterDataHandler(parser_, &ExpatRecorder::onCharacters);
    }

    ExpatParser& parser() { return parser_; }
    // False once the parse has failed; rethrows what the writing of an event raised.
    bool checked(XML_Status status) {
        if (pending_)
            std::rethrow_exception(pending_);
        return status == XML_STATUS_OK;
    }
    SaxError error() const {
        return {parser_.line(), parser_.column(), XML_ErrorString(XML_GetErrorCode(parser_))};
    }
    void flush() { writer_.flush(); }

private:
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

    std::int64_t place() const {
        return placesByLine_ ? PackedLineAndColumn(parser_) : XML_GetCurrentByteIndex(parser_);
    }

    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        auto& recorder = *static_cast<ExpatRecorder*>(self);
        recorder.guarded([&] { recorder.writer_.start(name, attributes, recorder.place()); });
    }

    static void XMLCALL onEnd(void* self, const XML_Char*) {
        auto& recorder = *static_cast<ExpatRecorder*>(self);
        recorder.guarded([&] { recorder.writer_.end(recorder.place()); });
    }

    static void XMLCALL onCharacters(void* self, const XML_Char* text, int length) {
        auto& recorder = *static_cast<ExpatRecorder*>(self);
        recorder.guarded(
            [&] { recorder.writer_.text(text, static_cast<std::size_t>(length)); });
    }

    ExpatParser parser_;
    SaxEventWriter writer_;
    const bool placesByLine_;
    std::exception_ptr pending_;
};

// Parses from the piece already read to the end, a failure, or the reader's stop.
template <class Document>
SaxParseOutcome ParseRest(Document& document, ExpatRecorder& recorder, Piece piece,
                          const SaxEventQueue& queue) {
    SaxParseOutcome outcome;
    try {
        for (;;) {
            if (!recorder.checked(document.parse(recorder.parser(), piece))) {
                outcome.error = recorder.error();
                break;
            }
            if (piece.isFinal) {
                outcome.ok = true;
                break;
            }
            if (queue.stopped())
                break;
            if (!document.read(recorder.parser(), piece)) {
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

// Finds the line and column of the tag at a byte offset by parsing the document again up to it.
class TagSearch {
public:
    explicit TagSearch(std::int64_t offset) : offset_(offset) {
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &TagSearch::onStart, &TagSearch::onEnd);
    }

    template <class Document> SaxError in(Document& document) {
        document.readAgain();
        Piece piece;
        while (document.read(parser_, piece) &&
               document.parse(parser_, piece) == XML_STATUS_OK && !piece.isFinal) {
        }
        return found_;
    }

private:
    void tag() {
        if (XML_GetCurrentByteIndex(parser_) == offset_) {
            found_ = {parser_.line(), parser_.column(), ""};
            XML_StopParser(parser_, XML_FALSE);
        }
    }
    static void XMLCALL onStart(void* self, const XML_Char*, const XML_Char**) {
        static_cast<TagSearch*>(self)->tag();
    }
    static void XMLCALL onEnd(void* self, const XML_Char*) { static_cast<TagSearch*>(self)->tag(); }

    ExpatParser parser_;
    const std::int64_t offset_;
    SaxError found_;
};

// However the reader leaves, a parse still running is told to stop, and is waited for.
class ParseThread {
public:
    explicit ParseThread(SaxEventQueue& queue) : queue_(queue) {}
    ParseThread(const ParseThread&) = delete;
    ParseThread& operator=(const ParseThread&) = delete;
    ~ParseThread() { stop(); }

    // False when no thread could be had.
    template <class Work> bool start(Work&& work) {
        try {
            thread_ = std::thread(std::forward<Work>(work));
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
    void stop() {
        queue_.stop();
        if (thread_.joinable())
            thread_.join();
    }

private:
    SaxEventQueue& queue_;
    std::thread thread_;
};

template <class Document>
bool Parse(Document& document, SaxContentHandler& handler, SaxError& error) {
    SaxEventQueue queue;
    ExpatRecorder recorder(queue, !document.canReadAgain());
    Piece first;
    if (!document.read(recorder.parser(), first)) {
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
    std::exception_ptr refused;
    SaxEventBlock block;
    while (!refused && queue.next(block)) {
        try {
            player.play(block);
        } catch (...) {
            refused = std::current_exception();
        }
        queue.giveBack(std::move(block));
    }
    parse.stop(); // the document is ours again
    if (refused) {
        error = document.canReadAgain() ? TagSearch(player.place()).in(document)
                                        : UnpackedLineAndColumn(player.place());
        std::rethrow_exception(refused);
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
