#include "progressexport.h"

#include "progresscsv.h"
#include "progressfilter.h"
#include "savetarget.h"
#include "statreader.h"

namespace {

void printLine(std::FILE* stream, const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int fail(std::FILE* err, const QString& reason, int status) {
    printLine(err, QStringLiteral("wiklotek: ") + reason);
    return status;
}

} // namespace

int ProgressExport::Run(const QString& csvPath, const QString& statisticsPath,
                        const QStringList& ownPaths, const QTimeZone& zone, std::FILE* out,
                        std::FILE* err) {
    const QStringList own = QStringList(ownPaths) << statisticsPath;
    // Refused before the statistics are read: the answer does not depend on them.
    if (csvPath != QLatin1String("-") && SaveTarget::IsOwn(csvPath, own))
        return fail(err, SaveTarget::Reason({SaveTarget::Outcome::OwnFile, {}}, csvPath),
                    ExitOwnFile);
    const StatReader::Result read = StatReader::ReadFile(statisticsPath);
    if (read.status != StatReader::Status::Read)
        return fail(err, read.error, ExitUnreadable);
    const QByteArray bytes =
        ProgressCsv::Write(read.records, ProgressFilter().Apply(read.records, {}), zone);
    if (csvPath == QLatin1String("-")) {
        if (std::fwrite(bytes.constData(), 1, bytes.size(), out) != size_t(bytes.size()) ||
            std::fflush(out) != 0)
            return fail(err, QStringLiteral("cannot write the table to standard output"),
                        ExitNotSaved);
        return ExitWritten;
    }
    const SaveTarget::Result saved = SaveTarget::Write(csvPath, bytes, own);
    if (saved.outcome != SaveTarget::Outcome::Saved)
        return fail(err, SaveTarget::Reason(saved, csvPath),
                    saved.outcome == SaveTarget::Outcome::OwnFile ? ExitOwnFile : ExitNotSaved);
    printLine(out, QStringLiteral("wiklotek: progress table written to %1").arg(csvPath));
    return ExitWritten;
}
