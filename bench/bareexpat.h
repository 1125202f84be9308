// A bare expat parse of a file, with no handlers at all: the floor for any reader of it, read
// in the chunks the XML store reads.
#pragma once

#include <expat.h>
#include <fstream>
#include <string>

namespace duebell::bench {

// False when the file does not parse.
inline bool BareExpatParse(const std::string& file) {
    constexpr int Chunk = 64 * 1024;
    std::ifstream in(file, std::ios::binary);
    XML_Parser parser = XML_ParserCreate(nullptr);
    bool ok = true;
    for (bool last = false; ok && !last;) {
        void* buffer = XML_GetBuffer(parser, Chunk);
        in.read(static_cast<char*>(buffer), Chunk);
        const auto length = static_cast<int>(in.gcount());
        last = length < Chunk;
        ok = XML_ParseBuffer(parser, length, last) == XML_STATUS_OK;
    }
    XML_ParserFree(parser);
    return ok;
}

} // namespace duebell::bench
