// A GIF picture: reads and writes GIF87a and GIF89a files with our own codec, frames and
// all, and shows its current frame. Copies share one image until either changes.
#pragma once

#include "controls/pictures/formats/gifimage.h"

#include <QImage>
#include <QList>
#include <QRgb>
#include <map>
#include <memory>
#include <string>

class QIODevice;
class QMimeData;
class QPainter;
class QPoint;
class QRect;
class QString;

namespace duebell::pictures {

// How AddFrame places and shows a frame.
struct TGifFrameOptions {
    int left = 0;
    int top = 0;
    int delay = 0; // hundredths of a second
    int disposal = dmNone;
    // -1: the first colour of an indexed bitmap's table that is fully transparent, if any.
    int transparentIndex = -1;
    bool interlaced = false;
};

class TGifPicture {
public:
    TGifPicture();

    // --- The picture operations -----------------------------------------------------------
    // Shares the source's image.
    void Assign(const TGifPicture& source);
    // One frame of the bitmap; see AddFrame.
    void Assign(const QImage& bitmap);
    // The current frame as shown (Bitmap), at a point or scaled into a rectangle.
    void Draw(QPainter& painter, const QPoint& at) const;
    void StretchDraw(QPainter& painter, const QRect& rect) const;
    // Reads one GIF from the stream's position; the stream is left after its trailer. On
    // failure the picture keeps what it held. Errors: see ReadGif (formats/gifread.h).
    void LoadFromStream(QIODevice& stream);
    // Raises EInvalidGraphicOperation "No GIF Data to write" for an empty picture.
    void SaveToStream(QIODevice& stream) const;
    void LoadFromFile(const QString& fileName);
    // Replaces the file only once the whole picture is written.
    void SaveToFile(const QString& fileName) const;
    // The clipboard formats "GIF Image" and "image/gif".
    void LoadFromMimeData(const QMimeData& data);
    void SaveToMimeData(QMimeData& data) const;
    // The logical screen; setting either raises EInvalidGraphicOperation "Cannot change the
    // Size of a GIF image".
    int Width() const { return image_->width; }
    int Height() const { return image_->height; }
    void SetWidth(int width);
    void SetHeight(int height);
    bool Empty() const { return image_->frames.empty(); }
    // The global colour table, or the first frame's when there is none.
    QList<QRgb> Palette() const;

    // --- The GIF --------------------------------------------------------------------------
    // 0 none, 1 "87a", 2 "89a": as read, or as a picture built here would be written.
    int Version() const { return image_->version; }
    int FrameCount() const { return static_cast<int>(image_->frames.size()); }
    const TGifPictureFrame& Frame(int index) const;
    // A frame's pixels with its colours, the transparent one with alpha 0.
    QImage FrameBitmap(int index) const;
    // Appends a frame made from the bitmap and returns its index. A 1- or 8-bit bitmap keeps
    // its colour table (padded to a power of two); any other is reduced to 256 colours by the
    // histogram method. The first frame's colours become the global table; a later frame with
    // other colours gets a table of its own. The logical screen grows to hold the frame.
    int AddFrame(const QImage& bitmap, const TGifFrameOptions& options = {});
    int CurrentFrame() const { return current_; }
    void SetCurrentFrame(int index);
    // The current frame as shown on the logical screen: the frames before it drawn in turn
    // and disposed as each asks, on a transparent screen. Each frame's screen is kept once
    // drawn (up to MaxDrawnBytes in all), so an animation draws each frame from the one
    // before it.
    QImage Bitmap() const;
    bool Looping() const { return image_->looping; }
    int LoopCount() const { return image_->loopCount; }
    // Written as a "NETSCAPE2.0" extension when the picture has more than one frame.
    void SetLoop(bool looping, int loopCount = 0);
    const std::string& Comment() const { return image_->comment; }
    void SetComment(const std::string& comment);
    bool Corrupted() const { return image_->corrupted; }
    // When set, damaged files load as far as they go and mark the picture Corrupted.
    void SetTolerateDamage(bool tolerate) { tolerateDamage_ = tolerate; }
    bool TolerateDamage() const { return tolerateDamage_; }
    void SetOnProgress(TProgressEvent onProgress) { onProgress_ = std::move(onProgress); }
    const TGifSharedImage& Image() const { return *image_; }

    // Beyond this many bytes of kept screens only the latest one is kept.
    static constexpr std::size_t MaxDrawnBytes = std::size_t{64} << 20;

private:
    // A frame's screen before it was drawn and once drawn.
    struct DrawnFrame {
        QImage before;
        QImage shown;
    };

    // The image, unshared first when a copy holds it too; the kept screens are dropped.
    TGifSharedImage& Edit();
    void Forget() const;
    // What frame `index` leaves on the screen for the next one, by its disposal.
    QImage AfterFrame(int index, const DrawnFrame& drawn) const;
    DrawnFrame DrawFrame(int index, QImage before) const;
    void Load(const QByteArray& bytes, qint64* consumed);

    std::shared_ptr<TGifSharedImage> image_;
    int current_ = 0;
    mutable std::map<int, DrawnFrame> drawn_;
    mutable std::size_t drawnBytes_ = 0;
    bool tolerateDamage_ = false;
    TProgressEvent onProgress_;
};

} // namespace duebell::pictures
