// The statistics file as the program prepares it at start-up: a file of any content leaves a
// file of our own header and whole records at the path, the old bytes are either that file
// or kept aside whole, and a record can be appended.
#include "scratchfolder.h"
#include "statfile.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    scratch.Clear();
    const QString name = QStringLiteral("prgst1.stt");
    const QString path = scratch.Write(name, data, size);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    const auto clock = [] {
        return std::chrono::system_clock::time_point(std::chrono::hours(480000));
    };
    StatFile file(path, 1, clock);
    Require(file.Prepare(), "no usable statistics file");

    const QByteArray kept = readAll(path);
    Require(StatFile::IsWholeRecords(kept.size()), "statistics file not made of whole records");
    Require(StatFile::IsOwnHeader(kept.constData(), 1), "statistics file without our header");
    QStringList others = QDir(scratch.Folder()).entryList(QDir::Files);
    others.removeOne(name);
    if (others.isEmpty()) {
        Require(kept == input, "statistics file changed although it was kept");
    } else {
        Require(others.size() == 1, "more than one copy set aside");
        Require(readAll(scratch.Path(others.first())) == input, "damaged file not kept whole");
        Require(kept.size() == StatFile::HeaderSize, "fresh statistics file is not just a header");
    }

    char record[StatFile::RecordSize] = {};
    Require(file.Append(record), "cannot append a record");
    Require(QFile(path).size() == kept.size() + StatFile::RecordSize, "record not appended whole");
    return 0;
}
