#include "scratchfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace {

// Saving syncs every file to disk; in memory that costs nothing, so the targets run many times
// faster there.
QString scratchTemplate() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/wiklotek-fuzz-XXXXXX");
}

} // namespace

ScratchFolder::ScratchFolder() : m_dir(scratchTemplate()), m_folder(m_dir.path()) {
    Require(m_dir.isValid(), "no temporary folder for the fuzz inputs");
}

void ScratchFolder::Clear() {
    QDir dir(m_folder);
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFileInfo info(dir.filePath(name));
        if (info.isDir() && !info.isSymLink()) {
            QDir(info.filePath()).removeRecursively();
        } else {
            dir.remove(name);
        }
    }
}

QString ScratchFolder::Path(const QString& name) const {
    return m_folder + u'/' + name;
}

QString ScratchFolder::Write(const QString& name, const std::uint8_t* data, std::size_t size) {
    const QString path = Path(name);
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write a fuzz input");
    Require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size),
            "cannot write a fuzz input");
    return path;
}

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}
