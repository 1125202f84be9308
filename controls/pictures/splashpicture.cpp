#include "controls/pictures/splashpicture.h"

#include "controls/pictures/gifpicture.h"

#include <QString>
#include <QtCore/qglobal.h>

// Resource initialisers are declared in the global namespace; a static library's resources
// are linked only when something calls them.
static void InitialisePictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace duebell::pictures {

QImage LoadSplashPicture() {
    static const bool initialised = (InitialisePictureResources(), true);
    (void)initialised;
    TGifPicture picture;
    picture.LoadFromFile(QString::fromLatin1(SplashPictureResource));
    return picture.Bitmap();
}

} // namespace duebell::pictures
