#include "controls/pictures/qtpixels.h"

#include "controls/pictures/formats/pictureerrors.h"
#include "objectlist/atomicfile.h"

#include <QFile>
#include <cstring>

namespace duebell::pictures {

TRgbImage ToRgbImage(const QImage& bitmap) {
    if (bitmap.isNull()) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    const QImage argb = bitmap.convertToFormat(QImage::Format_ARGB32);
    TRgbImage result{argb.width(), argb.height(), {}};
    result.pixels.resize(static_cast<std::size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(result.pixels.data() + static_cast<std::size_t>(y) * argb.width(),
                    argb.constScanLine(y), static_cast<std::size_t>(argb.width()) * 4);
    }
    return result;
}

QImage ToQImage(const TIndexedImage& image) {
    QImage result(image.width, image.height, QImage::Format_Indexed8);
    result.setColorTable(QList<QRgb>(image.palette.begin(), image.palette.end()));
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(result.scanLine(y),
                    image.indices.data() + static_cast<std::size_t>(y) * image.width,
                    static_cast<std::size_t>(image.width));
    }
    return result;
}

QImage ToQImage(const TIconImage& icon) {
    if (!icon.png.empty()) {
        QImage decoded = QImage::fromData(QByteArray::fromStdString(icon.png), "PNG");
        if (decoded.isNull()) {
            throw EInvalidGraphic("Icon image is not valid");
        }
        return decoded.convertToFormat(QImage::Format_ARGB32);
    }
    QImage result(icon.width, icon.height, QImage::Format_ARGB32);
    for (int y = 0; y < icon.height; ++y) {
        std::memcpy(result.scanLine(y),
                    icon.pixels.data() + static_cast<std::size_t>(y) * icon.width,
                    static_cast<std::size_t>(icon.width) * 4);
    }
    return result;
}

TIconImage ToIconImage(const QImage& icon) {
    if (icon.isNull()) {
        throw EInvalidGraphic("Icon image is not valid");
    }
    TRgbImage rgb = ToRgbImage(icon);
    TIconImage result;
    result.width = rgb.width;
    result.height = rgb.height;
    result.pixels = std::move(rgb.pixels);
    return result;
}

QByteArray ReadWholeFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFOpenError("Cannot open file \"" + fileName.toStdString() + "\". " +
                          file.errorString().toStdString());
    }
    return file.readAll();
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes) {
    AtomicFileWriter writer(fileName.toStdString());
    writer.stream().write(bytes.constData(), bytes.size());
    writer.commit();
}

} // namespace duebell::pictures
