// The picture file formats this program reads by file extension, and the clipboard formats
// its pictures travel under.
#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace duebell::pictures {

inline constexpr const char* GifClipboardFormat = "GIF Image";
inline constexpr const char* GifMimeType = "image/gif";
inline constexpr const char* IconMimeType = "image/vnd.microsoft.icon";

struct TPictureFileFormat {
    std::string extension; // lower case, without the dot
    std::string description;
    QImage (*load)(const QString& fileName); // the picture as shown
};

// Every registered format: "gif", "CompuServe GIF Image".
const std::vector<TPictureFileFormat>& PictureFileFormats();
// The format of a file name's extension (in any case), or nullptr.
const TPictureFileFormat* FindPictureFileFormat(const QString& fileName);
// The file-dialog filter of every format: "CompuServe GIF Image (*.gif)".
QString PictureFileFilter();
// Loads a picture by its extension; an unknown one raises EInvalidGraphic "Unknown picture
// file extension (.xyz)".
QImage LoadPictureFile(const QString& fileName);

} // namespace duebell::pictures
