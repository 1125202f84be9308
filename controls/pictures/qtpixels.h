// Between Qt's images and the codecs' pixel arrays.
#pragma once

#include "controls/pictures/formats/iconfile.h"
#include "controls/pictures/formats/pixels.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace duebell::pictures {

// A null image raises EInvalidGraphic "Bitmap image is not valid".
TRgbImage ToRgbImage(const QImage& bitmap);
QImage ToQImage(const TIndexedImage& image);
// PNG images are decoded here; one that does not decode raises EInvalidGraphic "Icon image is
// not valid".
QImage ToQImage(const TIconImage& icon);
TIconImage ToIconImage(const QImage& icon);

// Every byte of a file; raises EFOpenError when it cannot be read.
QByteArray ReadWholeFile(const QString& fileName);
// Writes a file without ever leaving a half-written one in its place.
void WriteWholeFile(const QString& fileName, const QByteArray& bytes);

} // namespace duebell::pictures
