#include "portableseed.h"

#include "filehome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool copyTree(const QString& source, const QString& target) {
    if (!QFileInfo(source).isDir()) {
        // A stick's files are often marked read-only.
        return QFile::copy(source, target) &&
               QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner |
                                                 QFile::WriteOwner);
    }
    if (!QDir().mkdir(target))
        return false;
    const QStringList names =
        QDir(source).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!copyTree(source + u'/' + name, target + u'/' + name))
            return false;
    }
    return true;
}

void removeTree(const QString& path) {
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

} // namespace

void PortableSeed::Settings(const FileHome& home) {
    const FileHome portable = home.readOnlyPortable();
    if (!portable.userFolder().isEmpty())
        CopyMissing(portable.settingsFile(), home.settingsFile());
}

void PortableSeed::Records(const FileHome& home, const QString& statisticsFileName) {
    const FileHome portable = home.readOnlyPortable();
    if (portable.userFolder().isEmpty())
        return;
    CopyMissing(QDir(portable.userFolder()).filePath(statisticsFileName),
                QDir(home.userFolder()).filePath(statisticsFileName));
    CopyMissing(portable.recordingsFolder(), home.recordingsFolder());
}

bool PortableSeed::CopyMissing(const QString& source, const QString& target) {
    const QFileInfo existing(target);
    if (source.isEmpty() || target.isEmpty() || existing.exists() || existing.isSymLink() ||
        !QFileInfo::exists(source))
        return false;
    // Under a name of its own until whole: a copy cut short must not pass for the user's own
    // files on the next start.
    const QString part = target + QStringLiteral(".part");
    removeTree(part);
    if (copyTree(source, part) && QDir().rename(part, target))
        return true;
    removeTree(part);
    return false;
}
