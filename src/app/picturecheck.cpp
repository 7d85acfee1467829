#include "picturecheck.h"

#include "imageloader.h"

#include <QDir>
#include <QFileInfo>

bool PictureCheck::Readable(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    // The named format only, read as the windows will read it: a PNG renamed to ".xji" would
    // fail when the window loads it.
    QSize size;
    if (path.endsWith(QLatin1String(".xji"), Qt::CaseInsensitive))
        size = ImageDecode::jpegSize(path);
    else if (path.endsWith(QLatin1String(".xbi"), Qt::CaseInsensitive))
        size = ImageDecode::bmpSize(path);
    else
        size = ImageDecode::pngSize(path);
    return size.isValid() && !size.isEmpty();
}

QStringList PictureCheck::Unreadable(const QString& folder, const QStringList& files) {
    const QDir dir(folder);
    QStringList unreadable;
    for (const QString& file : files) {
        if (!Readable(dir.filePath(file)))
            unreadable << file;
    }
    return unreadable;
}
