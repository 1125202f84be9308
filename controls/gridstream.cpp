#include "controls/gridstream.h"

#include "controls/uihooks.h"

#include <iostream>
#include <iterator>
#include <string>

namespace duebell {

void WriteStringToStream(std::ostream& stream, std::string_view s) {
    stream.write(s.data(), static_cast<std::streamsize>(s.size()));
}

void StreamToClipboard(std::istream& stream) {
    stream.clear();
    stream.seekg(0);
    std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    SetClipboardText(text);
}

void ClipboardToStream(std::iostream& stream) {
    const std::string text = ClipboardText();
    stream.clear();
    stream.seekp(0);
    WriteStringToStream(stream, text);
}

} // namespace duebell
