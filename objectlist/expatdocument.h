// A document as the SAX reader gives it to expat: from a stream into the parser's own buffer
// or from memory, a read's size at a time, and read again from its start when a position
// must be found. The parser is set up as every parse here has it.
#pragma once

#include <algorithm>
#include <expat.h>
#include <istream>
#include <new>
#include <string_view>

namespace duebell {

// What one read of a stream asks for, and the size of a piece from memory.
constexpr int ReadChunkSize = 64 * 1024;

// An expat parser as every parse here has it: names as written, nothing fetched from outside
// the document.
class ExpatParser {
public:
    ExpatParser() : parser_(XML_ParserCreate(nullptr)) {
        if (parser_ == nullptr)
            throw std::bad_alloc();
        XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    }
    ExpatParser(const ExpatParser&) = delete;
    ExpatParser& operator=(const ExpatParser&) = delete;
    ~ExpatParser() { XML_ParserFree(parser_); }

    operator XML_Parser() const { return parser_; }
    void* buffer(int length) {
        void* buffer = XML_GetBuffer(parser_, length);
        if (buffer == nullptr)
            throw std::bad_alloc();
        return buffer;
    }
    int line() const { return static_cast<int>(XML_GetCurrentLineNumber(parser_)); }
    int column() const { return static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1; }

private:
    XML_Parser parser_;
};

struct Piece {
    int length = 0;
    bool isFinal = true;
};

// A document read from a stream into the parser's own buffer, a chunk at a time.
class StreamDocument {
public:
    explicit StreamDocument(std::istream& input) : input_(input), start_(input.tellg()) {}

    // False on a read error.
    bool read(ExpatParser& parser, Piece& piece) {
        input_.read(static_cast<char*>(parser.buffer(ReadChunkSize)), ReadChunkSize);
        piece.length = static_cast<int>(input_.gcount());
        piece.isFinal = input_.eof() || piece.length < ReadChunkSize;
        return !input_.bad();
    }
    XML_Status parse(ExpatParser& parser, const Piece& piece) {
        return XML_ParseBuffer(parser, piece.length, piece.isFinal);
    }
    bool canReadAgain() const { return start_ != std::streampos(-1); }
    void readAgain() {
        input_.clear();
        input_.seekg(start_);
    }

private:
    std::istream& input_;
    const std::streampos start_;
};

// A document in memory, in pieces of a read's size.
class MemoryDocument {
public:
    explicit MemoryDocument(std::string_view document) : document_(document), rest_(document) {}

    bool read(ExpatParser&, Piece& piece) {
        piece.length = static_cast<int>(std::min<std::size_t>(rest_.size(), ReadChunkSize));
        piece.isFinal = static_cast<std::size_t>(piece.length) == rest_.size();
        current_ = rest_.data();
        rest_.remove_prefix(static_cast<std::size_t>(piece.length));
        return true;
    }
    XML_Status parse(ExpatParser& parser, const Piece& piece) {
        return XML_Parse(parser, current_, piece.length, piece.isFinal);
    }
    bool canReadAgain() const { return true; }
    void readAgain() { rest_ = document_; }

private:
    std::string_view document_;
    std::string_view rest_;
    const char* current_ = nullptr;
};

} // namespace duebell
