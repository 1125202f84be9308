#include "objectlist/saxreader.h"

#include "objectlist/expatdocument.h"
#include "objectlist/saxeventqueue.h"

#include <exception>
#include <system_error>
#include <thread>

namespace duebell {

namespace {

// How many bytes of events a document longer than one read may be parsed ahead of its handler,
// which then works on this thread while the parse goes on in a thread of its own.
constexpr std::size_t BytesAhead = 8 * SaxEventBlock::UsualSize;

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
    ExpatRecorder(ExpatParser& parser, SaxBlockSink& sink, bool placesByLine)
        : parser_(parser), writer_(sink), placesByLine_(placesByLine) {
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

    ExpatParser& parser_;
    SaxEventWriter writer_;
    const bool placesByLine_;
    std::exception_ptr pending_;
};

// Parses from the piece already read to the end, a failure, or the reader's stop.
template <class Document, class Stopped>
SaxParseOutcome ParseRest(Document& document, ExpatRecorder& recorder, Piece piece,
                          Stopped stopped) {
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
            if (stopped())
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

// Plays each block to the handler as soon as it is filled, on the parse's own thread: parse and
// handler take turns, and no more than one block of events is ever held (of the usual size, or
// of the largest event met).
class PlayingSink : public SaxBlockSink {
public:
    explicit PlayingSink(SaxEventPlayer& player) : player_(player) {}

    SaxEventBlock exchange(SaxEventBlock filled, std::size_t atLeast) override {
        if (filled.size != 0) {
            try {
                player_.play(filled);
            } catch (...) {
                refused_ = std::current_exception();
                throw; // stops the parse
            }
            filled.size = 0;
        }
        if (atLeast == 0)
            return {};
        return atLeast <= filled.capacity ? std::move(filled) : SaxEventBlock::make(atLeast);
    }
    // What the handler raised, if it refused an event.
    std::exception_ptr refused() const { return refused_; }

private:
    SaxEventPlayer& player_;
    std::exception_ptr refused_;
};

// One document's parse, its events played to a handler; what the handler raised is kept apart
// from how the parse ended.
template <class Document> class DocumentParse {
public:
    DocumentParse(Document& document, ExpatParser& parser, const Piece& first,
                  SaxContentHandler& handler)
        : document_(document), parser_(parser), first_(first), player_(handler),
          placesByLine_(!document.canReadAgain()) {}

    // Parses the rest of the document after the first piece.
    void here() {
        PlayingSink sink(player_);
        ExpatRecorder recorder(parser_, sink, placesByLine_);
        outcome_ = ParseRest(document_, recorder, first_, [] { return false; });
        refused_ = sink.refused();
    }

    // Parses the rest of the document on a thread of its own while the events are played on
    // this one; false, with nothing parsed, when no thread could be had.
    bool aside() {
        SaxEventQueue queue(BytesAhead);
        ExpatRecorder recorder(parser_, queue, placesByLine_);
        ParseThread parse(queue);
        if (!parse.start([&] {
                queue.finish(
                    ParseRest(document_, recorder, first_, [&] { return queue.stopped(); }));
            }))
            return false;
        SaxEventBlock block;
        while (!refused_ && queue.next(block)) {
            try {
                player_.play(block);
            } catch (...) {
                refused_ = std::current_exception();
            }
            queue.giveBack(std::move(block));
        }
        parse.stop(); // the document is ours again
        outcome_ = queue.outcome();
        return true;
    }

    bool result(SaxError& error) {
        if (refused_) {
            error = document_.canReadAgain() ? TagSearch(player_.place()).in(document_)
                                             : UnpackedLineAndColumn(player_.place());
            std::rethrow_exception(refused_);
        }
        if (outcome_.failure)
            std::rethrow_exception(outcome_.failure);
        if (!outcome_.ok)
            error = outcome_.error;
        return outcome_.ok;
    }

private:
    Document& document_;
    ExpatParser& parser_;
    const Piece first_;
    SaxEventPlayer player_;
    const bool placesByLine_;
    SaxParseOutcome outcome_;
    std::exception_ptr refused_;
};

template <class Document>
bool Parse(Document& document, SaxContentHandler& handler, SaxError& error, unsigned threads) {
    ExpatParser parser;
    Piece first;
    if (!document.read(parser, first)) {
        error = {0, 0, "Read error"};
        return false;
    }
    DocumentParse parse(document, parser, first, handler);
    // A document of one read is parsed before a thread would have started.
    if (first.isFinal || threads < 2 || !parse.aside())
        parse.here();
    return parse.result(error);
}

} // namespace

bool SaxReader::parse(std::istream& input, SaxContentHandler& handler, SaxError& error,
                      unsigned threads) {
    StreamDocument document(input);
    return Parse(document, handler, error, threads);
}

bool SaxReader::parse(std::string_view document, SaxContentHandler& handler, SaxError& error,
                      unsigned threads) {
    MemoryDocument memory(document);
    return Parse(memory, handler, error, threads);
}

} // namespace duebell
