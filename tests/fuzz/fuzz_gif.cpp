// Fuzzes the GIF reader: the input is read as a GIF file, once refusing damage and once
// tolerating it. A picture that reads is coded again from its pixels, written and read back,
// and must give the same pixels. Exceptions of the program's own tree are the expected
// answers to bad input; anything else, or a picture that changes, is a fault.
#include "controls/pictures/formats/gifread.h"
#include "controls/pictures/formats/gifwrite.h"
#include "objectlist/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace duebell::pictures;

TGifReadOptions Options(bool tolerate) {
    TGifReadOptions options;
    options.tolerateDamage = tolerate;
    // Smaller than the program's limit, so that each run stays quick; the checks are the same.
    options.maxTotalPixels = std::size_t{1} << 18;
    return options;
}

void RoundTrip(TGifSharedImage image) {
    for (TGifPictureFrame& frame : image.frames) {
        EncodeFrame(image, frame);
    }
    const std::string written = WriteGif(image);
    ByteReader in(written);
    const TGifSharedImage again = ReadGif(in, Options(false));
    if (!in.AtEnd() || again.frames.size() != image.frames.size() || again.corrupted) {
        std::abort();
    }
    for (std::size_t i = 0; i < image.frames.size(); ++i) {
        if (again.frames[i].pixels != image.frames[i].pixels) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const bool tolerate : {false, true}) {
        TGifSharedImage image;
        try {
            ByteReader in(data, size);
            image = ReadGif(in, Options(tolerate));
        } catch (const duebell::Exception&) {
            continue;
        }
        if (!image.frames.empty()) {     // a file of no frames reads, but there is nothing to write
            RoundTrip(std::move(image)); // must not raise
        }
    }
    return 0;
}
