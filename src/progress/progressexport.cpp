#include "progressexport.h"

#include "progresscsv.h"
#include "progressfilter.h"
#include "statreader.h"

#include <QSaveFile>

namespace {

const QString Switch = QStringLiteral("--export-csv");

void printLine(std::FILE* stream, const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

bool ProgressExport::IsRequested(const QStringList& arguments) {
    return arguments.size() > 1 && arguments.at(1) == Switch;
}

int ProgressExport::Run(const QStringList& arguments, const QString& statisticsPath,
                        const QTimeZone& zone, std::FILE* out, std::FILE* err) {
    if (arguments.size() < 3 || arguments.at(2).isEmpty()) {
        printLine(err, QStringLiteral("wiklotek: --export-csv needs the name of the CSV file to "
                                      "write"));
        return ExitUnreadable;
    }
    QString error;
    int status = ExitWritten;
    if (!WriteCsv(statisticsPath, arguments.at(2), zone, error, status)) {
        printLine(err, QStringLiteral("wiklotek: ") + error);
        return status;
    }
    printLine(out, QStringLiteral("wiklotek: progress table written to %1").arg(arguments.at(2)));
    return ExitWritten;
}

bool ProgressExport::WriteCsv(const QString& statisticsPath, const QString& csvPath,
                              const QTimeZone& zone, QString& error, int& status) {
    const StatReader::Result read = StatReader::ReadFile(statisticsPath);
    if (read.status != StatReader::Status::Read) {
        error = read.error;
        status = ExitUnreadable;
        return false;
    }
    const std::vector<int> rows = ProgressFilter().Apply(read.records, {});
    const QByteArray bytes = ProgressCsv::Write(read.records, rows, zone);
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(csvPath, file.errorString());
        status = ExitNotSaved;
        return false;
    }
    status = ExitWritten;
    return true;
}
