// The statistics file as the program prepares it at start-up: a file of any content leaves a
// file of our own header and whole records at the path, and a record can be appended. No byte
// is lost: a file of ours with a torn last record keeps its whole records and only the torn
// piece is set aside; any other damaged file is set aside whole.
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
        const QByteArray aside = readAll(scratch.Path(others.first()));
        if (aside == input) {
            Require(kept.size() == StatFile::HeaderSize,
                    "fresh statistics file is not just a header");
        } else {
            Require(kept.size() > 0 && input.startsWith(kept) && kept + aside == input,
                    "torn tail: whole records not kept in place or piece not set aside");
            Require(aside.size() < StatFile::RecordSize, "more than a torn record set aside");
        }
    }

    char record[StatFile::RecordSize] = {};
    Require(file.Append(record), "cannot append a record");
    Require(QFile(path).size() == kept.size() + StatFile::RecordSize, "record not appended whole");
    return 0;
}
