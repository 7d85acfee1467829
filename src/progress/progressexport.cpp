#include "progressexport.h"

#include "progresscsv.h"
#include "progressfilter.h"
#include "statreader.h"

#include <QSaveFile>

namespace {

void printLine(std::FILE* stream, const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int ProgressExport::Run(const QString& csvPath, const QString& statisticsPath,
                        const QTimeZone& zone, std::FILE* out, std::FILE* err) {
    QString error;
    int status = ExitWritten;
    if (csvPath == QLatin1String("-")) {
        bool read = false;
        const QByteArray bytes = Table(statisticsPath, zone, error, status, read);
        if (read && (std::fwrite(bytes.constData(), 1, bytes.size(), out) != size_t(bytes.size()) ||
                     std::fflush(out) != 0)) {
            error = QStringLiteral("cannot write the table to standard output");
            status = ExitNotSaved;
        }
        if (status != ExitWritten)
            printLine(err, QStringLiteral("wiklotek: ") + error);
        return status;
    }
    if (!WriteCsv(statisticsPath, csvPath, zone, error, status)) {
        printLine(err, QStringLiteral("wiklotek: ") + error);
        return status;
    }
    printLine(out, QStringLiteral("wiklotek: progress table written to %1").arg(csvPath));
    return ExitWritten;
}

QByteArray ProgressExport::Table(const QString& statisticsPath, const QTimeZone& zone,
                                 QString& error, int& status, bool& read) {
    const StatReader::Result result = StatReader::ReadFile(statisticsPath);
    read = result.status == StatReader::Status::Read;
    if (!read) {
        error = result.error;
        status = ExitUnreadable;
        return {};
    }
    status = ExitWritten;
    const std::vector<int> rows = ProgressFilter().Apply(result.records, {});
    return ProgressCsv::Write(result.records, rows, zone);
}

bool ProgressExport::WriteCsv(const QString& statisticsPath, const QString& csvPath,
                              const QTimeZone& zone, QString& error, int& status) {
    bool read = false;
    const QByteArray bytes = Table(statisticsPath, zone, error, status, read);
    if (!read)
        return false;
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(csvPath, file.errorString());
        status = ExitNotSaved;
        return false;
    }
    status = ExitWritten;
    return true;
}
