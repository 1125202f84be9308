#include "controls/pictures/pictureregistry.h"

#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/gifpicture.h"

#include <QFileInfo>
#include <QStringList>

namespace duebell::pictures {

namespace {

QImage LoadGifFile(const QString& fileName) {
    TGifPicture picture;
    picture.LoadFromFile(fileName);
    return picture.Bitmap();
}

} // namespace

const std::vector<TPictureFileFormat>& PictureFileFormats() {
    static const std::vector<TPictureFileFormat> formats{
        {"gif", "CompuServe GIF Image", &LoadGifFile},
    };
    return formats;
}

const TPictureFileFormat* FindPictureFileFormat(const QString& fileName) {
    const std::string extension = QFileInfo(fileName).suffix().toLower().toStdString();
    for (const TPictureFileFormat& format : PictureFileFormats()) {
        if (format.extension == extension) {
            return &format;
        }
    }
    return nullptr;
}

QString PictureFileFilter() {
    QStringList filters;
    for (const TPictureFileFormat& format : PictureFileFormats()) {
        filters << QString::fromStdString(format.description + " (*." + format.extension + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

QImage LoadPictureFile(const QString& fileName) {
    const TPictureFileFormat* format = FindPictureFileFormat(fileName);
    if (format == nullptr) {
        throw EInvalidGraphic("Unknown picture file extension (." +
                              QFileInfo(fileName).suffix().toStdString() + ")");
    }
    return format->load(fileName);
}

} // namespace duebell::pictures
