// JPEG files read and written with libjpeg, for the pictures documents keep.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace duebell {

// The picture of a grey or colour JPEG file as 32-bit RGB; nothing when the data are no such
// file, cannot be decoded, end before the picture does, or claim a size that IsHeldPictureSize
// refuses (picturesize.h).
std::optional<QImage> DecodeJpeg(const QByteArray& file);

// A baseline JFIF file of the image, see-through parts laid over white.
QByteArray EncodeJpeg(const QImage& image, int quality = 90);

} // namespace duebell
