// The picture the splash window shows while the program starts: a GIF of 491 x 203 in the
// program's resources, read with our own reader.
#pragma once

#include <QImage>

namespace duebell::pictures {

// The resource path of the splash picture's GIF file.
inline constexpr const char* SplashPictureResource = ":/pictures/splash.gif";

QImage LoadSplashPicture();

} // namespace duebell::pictures
