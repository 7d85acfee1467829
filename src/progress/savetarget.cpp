#include "savetarget.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links followed, as the system would follow them; some hops more are a loop.
constexpr int MaxLinkHops = 40;

// The absolute path a write to `path` would reach, its folder without links; empty when the
// folder does not exist.
QString resolved(const QString& path) {
    QFileInfo info(QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(path)));
    for (int hops = 0; info.isSymLink() && hops < MaxLinkHops; ++hops)
        info = QFileInfo(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return {};
    return folder == QLatin1String("/") ? folder + info.fileName()
                                        : folder + QLatin1Char('/') + info.fileName();
}

bool statOf(const QString& path, struct stat& out) {
    return ::stat(QFile::encodeName(path).constData(), &out) == 0;
}

SaveTarget::Result failed(int error) {
    return {SaveTarget::Outcome::WriteFailed, QString::fromLocal8Bit(std::strerror(error))};
}

// A device or a FIFO: written in place, never replaced. A FIFO nobody reads would hold the
// open for ever, so it is opened without waiting.
SaveTarget::Result writeDirectly(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENXIO ? SaveTarget::Result{SaveTarget::Outcome::NoReader, {}}
                              : failed(errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::close(fd);
            return failed(error);
        }
        done += n;
    }
    if (::close(fd) != 0 && errno != EINTR)
        return failed(errno);
    return {};
}

} // namespace

bool SaveTarget::IsOwn(const QString& path, const QStringList& ownPaths) {
    const QString target = resolved(path);
    struct stat targetStat {};
    const bool exists = statOf(path, targetStat);
    for (const QString& own : ownPaths) {
        const QString ownResolved = resolved(own);
        if (!target.isEmpty() && !ownResolved.isEmpty() &&
            (target == ownResolved || target.startsWith(ownResolved + QLatin1Char('/'))))
            return true;
        struct stat ownStat {};
        if (exists && statOf(own, ownStat) && ownStat.st_dev == targetStat.st_dev &&
            ownStat.st_ino == targetStat.st_ino)
            return true;
    }
    return false;
}

SaveTarget::Result SaveTarget::Write(const QString& path, const QByteArray& bytes,
                                     const QStringList& ownPaths) {
    if (IsOwn(path, ownPaths))
        return {Outcome::OwnFile, {}};
    struct stat info {};
    if (statOf(path, info)) {
        if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))
            return writeDirectly(path, bytes);
        if (!S_ISREG(info.st_mode))
            return {Outcome::NotAFile, {}};
        // The rename would replace a file its owner made read-only.
        if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
            return failed(errno);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {Outcome::WriteFailed, file.errorString()};
    return {};
}

QString SaveTarget::Reason(const Result& result, const QString& path) {
    switch (result.outcome) {
    case Outcome::Saved:
        return QStringLiteral("%1 written").arg(path);
    case Outcome::OwnFile:
        return QStringLiteral("%1 is one of the program's own files; name another file").arg(path);
    case Outcome::NotAFile:
        return QStringLiteral("%1 is not a file that can be written").arg(path);
    case Outcome::NoReader:
        return QStringLiteral("nothing reads from %1").arg(path);
    case Outcome::WriteFailed:
        break;
    }
    return QStringLiteral("cannot write %1: %2").arg(path, result.error);
}

QString SaveTarget::Message(const Result& result, const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.outcome) {
    case Outcome::OwnFile:
        return QStringLiteral("Nie zapisano: %1 to plik programu. Wybierz inną nazwę.").arg(shown);
    case Outcome::NotAFile:
        return QStringLiteral("Nie zapisano: %1 nie jest plikiem.").arg(shown);
    case Outcome::NoReader:
        return QStringLiteral("Nie zapisano: nikt nie czyta z %1.").arg(shown);
    case Outcome::Saved:
    case Outcome::WriteFailed:
        break;
    }
    return QStringLiteral("Nie udało się zapisać pliku %1").arg(shown);
}
