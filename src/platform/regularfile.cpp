#include "regularfile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool regular(const struct stat& status) {
    return S_ISREG(status.st_mode);
}

// Reads at most `limit` bytes, growing the buffer from the size the file says it has (zero for
// files of /proc, which still have bytes); false on a read error.
bool readUpTo(int fd, qint64 expected, qint64 limit, QByteArray& bytes) {
    qint64 got = 0;
    bytes.resize(qsizetype(std::clamp<qint64>(expected + 1, 1, limit)));
    for (;;) {
        if (got == bytes.size()) {
            if (got >= limit)
                break;
            bytes.resize(qsizetype(std::min(limit, std::max<qint64>(got * 2, 4096))));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(qsizetype(got));
    return true;
}

} // namespace

bool RegularFile::Exists(const QString& path) {
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
           regular(status);
}

std::optional<QByteArray> RegularFile::Read(const QString& path, qint64 maxBytes) {
    if (path.isEmpty() || maxBytes < 0)
        return std::nullopt;
    // Looked at before it is opened: opening a device may have effects of its own.
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (::stat(name.constData(), &before) != 0 || !regular(before) || before.st_size > maxBytes)
        return std::nullopt;
    // Non-blocking, so that a FIFO put in the file's place since the look cannot hold open().
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat opened {};
    QByteArray bytes;
    const bool read = ::fstat(fd, &opened) == 0 && regular(opened) &&
                      readUpTo(fd, opened.st_size, maxBytes + 1, bytes);
    ::close(fd);
    if (!read || bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}
