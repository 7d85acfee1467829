#include "statreader.h"

#include "statfile.h"

#include <QFile>
#include <QFileInfo>

StatReader::Result StatReader::ReadFile(const QString& path, std::int32_t programNumber) {
    Result result;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        result.status = Status::Missing;
        result.error = QStringLiteral("no statistics file at %1").arg(path);
        return result;
    }
    if (!info.isFile()) {
        result.status = Status::Unreadable;
        result.error = QStringLiteral("%1 is not a file").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = Status::Unreadable;
        result.error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = Status::Unreadable;
        result.error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return result;
    }
    return Parse(bytes, programNumber);
}

StatReader::Result StatReader::Parse(const QByteArray& bytes, std::int32_t programNumber) {
    Result result;
    result.status = Status::Read;
    const qint64 size = bytes.size();
    if (size < StatFile::HeaderSize) {
        result.leftOutBytes = size;
        return result;
    }
    result.headerRecognised = StatFile::IsOwnHeader(bytes.constData(), programNumber);
    const qint64 count = (size - StatFile::HeaderSize) / StatRecord::Size;
    result.leftOutBytes = size - StatFile::HeaderSize - count * StatRecord::Size;
    result.records.reserve(static_cast<std::size_t>(count));
    const char* at = bytes.constData() + StatFile::HeaderSize;
    for (qint64 i = 0; i < count; ++i, at += StatRecord::Size)
        result.records.push_back(StatRecord::Decode(at));
    return result;
}
