// Fuzzes the document loader: the input is a document stream, read into a document that
// already holds a page. Refusing the stream ("Stream read error") must leave that document
// exactly as it was. A stream that loads is saved and loaded again until its bytes settle
// (the first save puts what was read into the form this library writes): the second and
// third saves must be the same bytes. Every picture of its graphics pool is drawn into a
// bitmap, as printing does. Exceptions of the program's own tree are the expected answers to
// bad input; anything else is a fault.
#include "objectlist/clock.h"
#include "objectlist/exceptions.h"
#include "print/documentstream.h"
#include "print/graphic.h"
#include "print/messages.h"
#include "print/picturesize.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace duebell;

class SilentSink final : public TPqMessageSink {
public:
    void Information(const std::string&) override {}
};

std::vector<std::uint8_t> Saved(TPqDocument& document) {
    TPqStream stream;
    WriteDocument(document, stream);
    return stream.Bytes();
}

void Load(TPqDocument& document, const std::vector<std::uint8_t>& bytes) {
    TPqStream stream(bytes);
    const double version = ReadDocumentVersion(stream);
    ReadDocument(document, stream, version);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    static SilentSink sink;
    SetPqMessageSink(&sink);
    static ScopedFixedClock clock(46082.5);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TPqDocument document;
    document.Canvas().TextOut(10, 10, "kept");
    const auto before = Saved(document);
    try {
        Load(document, std::vector<std::uint8_t>(data, data + size));
    } catch (const Exception&) {
        if (Saved(document) != before)
            std::abort();
        return 0;
    }
    const TPqGraphicList& pictures = document.ResourceTable().Graphics();
    for (int i = 0; i < pictures.Count(); ++i) {
        const TPqGraphic drawn = GraphicToBitmap(*pictures.Items(i));
        if (static_cast<long long>(drawn.Width()) * drawn.Height() > MaxStoredPicturePixels)
            std::abort();
    }
    TPqDocument second;
    Load(second, Saved(document));
    const auto settled = Saved(second);
    TPqDocument third;
    Load(third, settled);
    if (Saved(third) != settled)
        std::abort();
    return 0;
}
