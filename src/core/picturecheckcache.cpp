#include "picturecheckcache.h"

#include "regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/stat.h>
#include <utility>

namespace {

// Far more than the program's own pictures take; a larger file is not ours.
constexpr qint64 MaxCacheBytes = 256 * 1024;

} // namespace

PictureCheckCache::PictureCheckCache(QString path) : m_path(std::move(path)) {}

QString PictureCheckCache::DefaultPath() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            return {};
        base = home + QStringLiteral("/.cache");
    }
    return QDir::cleanPath(base + QStringLiteral("/wiklotek/whole-pictures"));
}

QByteArray PictureCheckCache::stamp(const QString& file) {
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return QByteArray::number(qint64(info.st_size)) + ' ' +
           QByteArray::number(qint64(info.st_dev)) + ' ' + QByteArray::number(qint64(info.st_ino)) +
           ' ' + QByteArray::number(qint64(info.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qint64(info.st_mtim.tv_nsec)) + ' ' +
           QByteArray::number(qint64(info.st_ctim.tv_sec)) + '.' +
           QByteArray::number(qint64(info.st_ctim.tv_nsec));
}

void PictureCheckCache::Load() {
    if (m_path.isEmpty())
        return;
    const std::optional<QByteArray> bytes = RegularFile::Read(m_path, MaxCacheBytes);
    if (!bytes)
        return;
    // One file a line: its stamp, a tab, its absolute path.
    for (const QByteArray& line : bytes->split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0)
            m_whole.insert(QFile::decodeName(line.mid(tab + 1)), line.left(tab));
    }
}

bool PictureCheckCache::Known(const QString& file) {
    const QString key = QFileInfo(file).absoluteFilePath();
    const auto found = m_whole.constFind(key);
    if (found == m_whole.constEnd() || *found != stamp(file))
        return false;
    m_used.insert(key, *found);
    return true;
}

void PictureCheckCache::Add(const QString& file) {
    if (const QByteArray now = stamp(file); !now.isEmpty())
        m_used.insert(QFileInfo(file).absoluteFilePath(), now);
}

bool PictureCheckCache::Save() const {
    if (m_path.isEmpty() || m_used == m_whole)
        return true;
    QByteArray bytes;
    for (auto it = m_used.constBegin(); it != m_used.constEnd(); ++it)
        bytes += it.value() + '\t' + QFile::encodeName(it.key()) + '\n';
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSaveFile file(m_path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
