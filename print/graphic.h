// A picture held in a document's graphics pool: a JPEG picture (read and written by libjpeg),
// a metafile (a recorded QPicture) or a bitmap, each kept with the bytes of its own stored
// form.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPicture>
#include <QSize>
#include <cstdint>
#include <optional>

namespace duebell {

enum class TPqGraphicKind : std::uint8_t { Jpeg = 0, Metafile = 1, Bitmap = 2 };

class TPqGraphic {
public:
    // Each returns nothing when the data do not read as a picture of that kind.
    static std::optional<TPqGraphic> FromJpeg(const QByteArray& jpegFile);
    static TPqGraphic FromBitmap(const QImage& image);
    // A recording played into a frame of 'size' pixels.
    static TPqGraphic FromMetafile(const QPicture& picture, QSize size);
    static std::optional<TPqGraphic> FromStoredForm(TPqGraphicKind kind, const QByteArray& data);

    TPqGraphicKind Kind() const { return kind_; }
    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }
    // The picture's own stored form: the JPEG file, the BMP file or the recording.
    const QByteArray& StoredForm() const { return stored_; }

    // JPEG and bitmap pictures as an image (a metafile gives a null image).
    const QImage& Image() const { return image_; }
    const QPicture& Picture() const { return picture_; }

private:
    TPqGraphic() = default;
    TPqGraphicKind kind_ = TPqGraphicKind::Bitmap;
    QSize size_;
    QImage image_;
    QPicture picture_;
    QByteArray stored_;
};

// A new bitmap of the graphic's width and height with the graphic drawn at its top-left corner
// on white.
TPqGraphic GraphicToBitmap(const TPqGraphic& graphic);
// A new JPEG picture of the graphic, compressed by libjpeg.
TPqGraphic NewJpegFrom(const TPqGraphic& graphic);

// Equal size, then equal stored bytes.
bool GraphicsEqual(const TPqGraphic& a, const TPqGraphic& b);

} // namespace duebell
