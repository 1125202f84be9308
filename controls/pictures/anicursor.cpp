#include "controls/pictures/anicursor.h"

#include "controls/pictures/formats/anifile.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/qtpixels.h"

#include <QIODevice>

namespace duebell::pictures {

void TAniCursor::Load(const QByteArray& bytes) {
    const TAniCursorData data =
        ReadAniCursor(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    std::vector<TAniCursorFrame> frames;
    for (const TAniCursorFrameData& frame : data.frames) {
        try {
            frames.push_back({ToQImage(frame.icon),
                              QPoint(frame.icon.hotspotX, frame.icon.hotspotY), frame.rate});
        } catch (const EInvalidGraphic&) {
            throw EReadError(); // a PNG frame that does not decode
        }
    }
    frames_ = std::move(frames);
    defaultRate_ = data.defaultRate;
    sequence_ = data.sequence;
    title_ = data.title;
    creator_ = data.creator;
}

void TAniCursor::LoadFromStream(QIODevice& stream) {
    Load(stream.readAll());
}

void TAniCursor::LoadFromFile(const QString& fileName) {
    Load(ReadWholeFile(fileName));
}

} // namespace duebell::pictures
