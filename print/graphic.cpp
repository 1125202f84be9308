#include "print/graphic.h"

#include "objectlist/exceptions.h"
#include "print/jpegcodec.h"
#include "print/picturesize.h"

#include <QBuffer>
#include <QDataStream>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace duebell {

std::optional<TPqGraphic> TPqGraphic::FromJpeg(const QByteArray& jpegFile) {
    std::optional<QImage> image = DecodeJpeg(jpegFile);
    if (!image)
        return std::nullopt;
    TPqGraphic g;
    g.kind_ = TPqGraphicKind::Jpeg;
    g.size_ = image->size();
    g.image_ = std::move(*image);
    g.stored_ = jpegFile;
    return g;
}

TPqGraphic TPqGraphic::FromBitmap(const QImage& image) {
    TPqGraphic g;
    g.kind_ = TPqGraphicKind::Bitmap;
    g.size_ = image.size();
    g.image_ = image;
    QBuffer buffer(&g.stored_);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return g;
}

TPqGraphic TPqGraphic::FromMetafile(const QPicture& picture, QSize size) {
    TPqGraphic g;
    g.kind_ = TPqGraphicKind::Metafile;
    g.size_ = size;
    g.picture_ = picture;
    // The frame size leads the recording so that it survives the stored form.
    QBuffer buffer(&g.stored_);
    buffer.open(QIODevice::WriteOnly);
    QDataStream out(&buffer);
    out << size << picture;
    return g;
}

std::optional<TPqGraphic> TPqGraphic::FromStoredForm(TPqGraphicKind kind, const QByteArray& data) {
    switch (kind) {
    case TPqGraphicKind::Jpeg:
        return FromJpeg(data);
    case TPqGraphicKind::Bitmap: {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "BMP");
        const QSize size = reader.size();
        QImage image;
        if (!IsHeldPictureSize(size.width(), size.height(), data.size()) || !reader.read(&image))
            return std::nullopt;
        return FromBitmap(image);
    }
    case TPqGraphicKind::Metafile: {
        QDataStream in(data);
        QSize size;
        in >> size;
        // The recording's length leads its bytes: one longer than the bytes left is no
        // picture, and reading it would first allocate all it claims.
        const qint64 recording = in.device()->pos();
        quint32 length = 0;
        in >> length;
        if (in.status() != QDataStream::Ok || length > data.size() - in.device()->pos())
            return std::nullopt;
        // The frame is drawn into a bitmap of its size: it is held to what a picture may be.
        if (size.width() > 0 && size.height() > 0 &&
            !IsHeldPictureSize(size.width(), size.height(), MaxStoredPicturePixels))
            return std::nullopt;
        in.device()->seek(recording);
        QPicture picture;
        in >> picture;
        if (in.status() != QDataStream::Ok)
            return std::nullopt;
        return FromMetafile(picture, size);
    }
    }
    return std::nullopt;
}

TPqGraphic GraphicToBitmap(const TPqGraphic& graphic) {
    QImage bitmap(std::max(graphic.Width(), 0), std::max(graphic.Height(), 0),
                  QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    if (!bitmap.isNull()) {
        QPainter painter(&bitmap);
        if (graphic.Kind() == TPqGraphicKind::Metafile)
            painter.drawPicture(0, 0, graphic.Picture());
        else
            painter.drawImage(0, 0, graphic.Image());
    }
    return TPqGraphic::FromBitmap(bitmap);
}

TPqGraphic NewJpegFrom(const TPqGraphic& graphic) {
    if (graphic.Kind() == TPqGraphicKind::Jpeg)
        return graphic;
    const QByteArray file = EncodeJpeg(GraphicToBitmap(graphic).Image());
    std::optional<TPqGraphic> jpeg = TPqGraphic::FromJpeg(file);
    if (!jpeg)
        throw Exception("The picture could not be compressed as a JPEG picture");
    return std::move(*jpeg);
}

bool GraphicsEqual(const TPqGraphic& a, const TPqGraphic& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && a.StoredForm() == b.StoredForm();
}

} // namespace duebell
