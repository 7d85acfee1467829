#include "picturecheck.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

QByteArray formatOf(const QString& path) {
    if (path.endsWith(QLatin1String(".xji"), Qt::CaseInsensitive))
        return "jpeg";
    if (path.endsWith(QLatin1String(".xbi"), Qt::CaseInsensitive))
        return "bmp";
    return "png";
}

} // namespace

bool PictureCheck::Readable(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    QImageReader reader(path, formatOf(path));
    // The named format only: a PNG renamed to ".xji" would fail when the window loads it.
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        return false;
    const QSize size = reader.size();
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
