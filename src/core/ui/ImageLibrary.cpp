#include "core/ui/ImageLibrary.h"

#include "controls/ZoPosButton.h"

#include <QDir>

// The resource lives in a static library: nothing references it unless it is
// initialised by name.
static void initPosImgResource() { Q_INIT_RESOURCE(posimg); }

namespace pos {

QString ImageLibraryName() { return QStringLiteral("POSImg"); }

void InitImageLibrary()
{
    static const bool done = [] {
        initPosImgResource();
        return true;
    }();
    (void)done;
}

QStringList ImageNames()
{
    InitImageLibrary();
    QStringList names;
    for (const QString& file : QDir(QStringLiteral(":/POSImg")).entryList(QDir::Files))
        names.append(file.chopped(4));
    return names;
}

QPixmap ImagePicture(const QString& aName)
{
    InitImageLibrary();
    return QPixmap(QStringLiteral(":/POSImg/%1.png").arg(aName));
}

QPixmap ImageMaskedPicture(const QString& aName)
{
    InitImageLibrary();
    return ZoLoadPicture(ImageLibraryName(), aName);
}

}  // namespace pos
