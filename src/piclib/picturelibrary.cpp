#include "picturelibrary.h"

#include "imageloader.h"
#include "regularfile.h"

#include <QDir>

QImage PictureLibrary::picture(const QString& name) {
    if (!isValidName(name))
        return {};
    const QString path = QDir::current().absoluteFilePath(folder() + '/' + name + ".png");
    const auto cached = cache_.constFind(path);
    if (cached != cache_.constEnd())
        return *cached;

    QImage image;
    if (RegularFile::Exists(path))
        image = loadPngFile(path);
    cache_.insert(path, image);
    return image;
}

bool PictureLibrary::isValidName(const QString& name) {
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                        (u >= '0' && u <= '9') || u == '_' || u == '-';
        if (!ok)
            return false;
    }
    return true;
}

PictureLibrary& PictureLibrary::shared() {
    static PictureLibrary library;
    return library;
}
