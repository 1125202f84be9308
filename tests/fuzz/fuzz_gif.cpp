// Fuzzes the GIF reader and the drawing of GIF pictures: the input is read as a GIF file,
// once refusing damage and once tolerating it. A picture that reads is coded again from its
// pixels, written and read back, and must give the same pixels; it is then loaded as a picture
// and every frame drawn, last to first and first to last, each frame's screen as large as the
// picture's. Exceptions of the program's own tree are the expected answers to bad input;
// anything else, or a picture that changes, is a fault.
#include "controls/pictures/formats/gifread.h"
#include "controls/pictures/formats/gifwrite.h"
#include "controls/pictures/gifpicture.h"
#include "objectlist/exceptions.h"

#include <QBuffer>
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

// Draws every frame of the picture the bytes load as, with the program's own limits: the
// reader's smaller ones above passed, so the screens stay small.
void DrawFrames(const std::uint8_t* data, std::size_t size, bool tolerate) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TGifPicture picture;
    picture.SetTolerateDamage(tolerate);
    picture.LoadFromStream(buffer);
    const int frames = picture.FrameCount();
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < frames; ++i) {
            picture.SetCurrentFrame(pass == 0 ? frames - 1 - i : i);
            const QImage shown = picture.Bitmap();
            if (!shown.isNull() && shown.width() * std::size_t{1} * shown.height() >
                                       Options(tolerate).maxTotalPixels) {
                std::abort();
            }
        }
    }
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
        DrawFrames(data, size, tolerate); // reads as above: must not raise
    }
    return 0;
}
