// Fuzzes the animated-cursor reader and the icon and cursor file reader beneath it: the input
// is read as an animated cursor and as an icon file. What reads must hold together (every
// sequence entry names a frame, every image has its pixels), and an icon file's bitmap images
// must write and read back to the same pixels. Exceptions of the program's own tree are the
// expected answers to bad input; anything else is a fault.
#include "controls/pictures/formats/anifile.h"
#include "objectlist/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace duebell::pictures;

void CheckImage(const TIconImage& image) {
    const std::size_t area = static_cast<std::size_t>(image.width) * image.height;
    if (image.png.empty() ? image.pixels.size() != area : !image.pixels.empty()) {
        std::abort();
    }
}

void ReadCursor(std::string_view bytes) {
    try {
        const TAniCursorData cursor = ReadAniCursor(bytes);
        for (const int index : cursor.sequence) {
            if (index < 0 || index >= static_cast<int>(cursor.frames.size())) {
                std::abort();
            }
        }
        for (const TAniCursorFrameData& frame : cursor.frames) {
            CheckImage(frame.icon);
        }
        if (cursor.title.size() > 255 || cursor.creator.size() > 255) {
            std::abort();
        }
    } catch (const duebell::Exception&) {
    }
}

void ReadIcons(std::string_view bytes) {
    TIconFile file;
    try {
        file = ReadIconFile(bytes);
    } catch (const duebell::Exception&) {
        return;
    }
    std::vector<TIconImage> bitmaps;
    for (const TIconImage& image : file.images) {
        CheckImage(image);
        if (image.png.empty()) {
            bitmaps.push_back(image);
        }
    }
    if (bitmaps.empty()) {
        return;
    }
    const TIconFile again = ReadIconFile(WriteIconFile(bitmaps)); // must not raise
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        if (again.images[i].pixels != bitmaps[i].pixels) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadCursor(bytes);
    ReadIcons(bytes);
    return 0;
}
