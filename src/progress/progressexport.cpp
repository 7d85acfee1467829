#include "progressexport.h"

#include "logreader.h"
#include "progresscsv.h"
#include "progressfilter.h"
#include "savetarget.h"
#include "statreader.h"

namespace {

using Request = ProgressExport::Request;
using Filter = PracticeReport::Filter;

void printLine(std::FILE* stream, const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int fail(std::FILE* err, const QString& reason, int status) {
    printLine(err, QStringLiteral("wiklotek: ") + reason);
    return status;
}

QStringList ownPaths(const Request& request) {
    QStringList own = QStringList(request.ownPaths) << request.statisticsPath;
    if (!request.logPath.isEmpty())
        own << request.logPath << request.logPath + QStringLiteral("-wal")
            << request.logPath + QStringLiteral("-shm");
    return own;
}

int write(const Request& request, const QByteArray& bytes, const QString& what) {
    if (request.file == QLatin1String("-")) {
        if (std::fwrite(bytes.constData(), 1, bytes.size(), request.out) != size_t(bytes.size()) ||
            std::fflush(request.out) != 0)
            return fail(request.err,
                        QStringLiteral("cannot write the %1 to standard output").arg(what),
                        ProgressExport::ExitNotSaved);
        return ProgressExport::ExitWritten;
    }
    const SaveTarget::Result saved = SaveTarget::Write(request.file, bytes, ownPaths(request));
    if (saved.outcome != SaveTarget::Outcome::Saved)
        return fail(request.err, SaveTarget::Reason(saved, request.file),
                    saved.outcome == SaveTarget::Outcome::OwnFile ? ProgressExport::ExitOwnFile
                                                                  : ProgressExport::ExitNotSaved);
    printLine(request.out, QStringLiteral("wiklotek: %1 written to %2").arg(what, request.file));
    return ProgressExport::ExitWritten;
}

bool isGuest(const QString& name) {
    return name.trimmed().compare(QStringLiteral("Gość"), Qt::CaseInsensitive) == 0;
}

// Whose answers the request names, from an open log; none when there is no such child.
std::optional<Filter> whose(LogReader& log, const Request& request) {
    Filter filter;
    if (!request.child)
        return filter;
    const QString& name = *request.child;
    // A child of that very name goes before the guest's name.
    const std::optional<PracticeLog::Child> child = log.ChildNamed(name);
    if (child && (child->name == name.trimmed() || !isGuest(name))) {
        filter.who = Filter::Who::Child;
        filter.childId = child->id;
        return filter;
    }
    if (isGuest(name)) {
        filter.who = Filter::Who::Guest;
        return filter;
    }
    return std::nullopt;
}

int noChild(const Request& request) {
    return fail(request.err,
                QStringLiteral("no child named \"%1\" in the practice log %2")
                    .arg(*request.child, request.logPath),
                ProgressExport::ExitUnreadable);
}

bool refusedTarget(const Request& request) {
    return request.file != QLatin1String("-") && SaveTarget::IsOwn(request.file, ownPaths(request));
}

int refuse(const Request& request) {
    return fail(request.err, SaveTarget::Reason({SaveTarget::Outcome::OwnFile, {}}, request.file),
                ProgressExport::ExitOwnFile);
}

} // namespace

int ProgressExport::Games(const Request& request) {
    // Refused before anything is read: the answer does not depend on it.
    if (refusedTarget(request))
        return refuse(request);
    LogReader log(request.logPath);
    if (!request.logPath.isEmpty() && log.Open()) {
        const std::optional<Filter> filter = whose(log, request);
        if (!filter)
            return noChild(request);
        PracticeReport report(log);
        const auto games = report.Games(*filter);
        if (!games)
            return fail(
                request.err,
                QStringLiteral("cannot read %1: %2").arg(request.logPath, report.LastError()),
                ExitUnreadable);
        std::vector<StatRecord> records;
        QStringList names;
        records.reserve(games->size());
        for (const PracticeReport::Game& game : *games) {
            records.push_back(game.record);
            names << ProgressCsv::ChildName(game.childName);
        }
        return write(
            request,
            ProgressCsv::Write(records, ProgressFilter().Apply(records, {}), request.zone, &names),
            QStringLiteral("progress table"));
    }
    // Without the log only the guest's own statistics file is there to be read.
    if (request.child && !isGuest(*request.child))
        return fail(request.err,
                    QStringLiteral("no child named \"%1\": the practice log cannot be read (%2)")
                        .arg(*request.child, log.LastError()),
                    ExitUnreadable);
    const StatReader::Result read = StatReader::ReadFile(request.statisticsPath);
    if (read.status != StatReader::Status::Read)
        return fail(request.err, read.error, ExitUnreadable);
    const QStringList names(qsizetype(read.records.size()), ProgressCsv::ChildName({}));
    return write(request,
                 ProgressCsv::Write(read.records, ProgressFilter().Apply(read.records, {}),
                                    request.zone, &names),
                 QStringLiteral("progress table"));
}

int ProgressExport::Answers(const Request& request) {
    if (refusedTarget(request))
        return refuse(request);
    LogReader log(request.logPath);
    if (!log.Open())
        return fail(
            request.err,
            QStringLiteral("no answers: the practice log cannot be read (%1)").arg(log.LastError()),
            ExitUnreadable);
    const std::optional<Filter> filter = whose(log, request);
    if (!filter)
        return noChild(request);
    PracticeReport report(log);
    const auto answers = report.Answers(*filter);
    if (!answers)
        return fail(request.err,
                    QStringLiteral("cannot read %1: %2").arg(request.logPath, report.LastError()),
                    ExitUnreadable);
    return write(request, ProgressCsv::WriteAnswers(*answers, request.zone),
                 QStringLiteral("answers"));
}

int ProgressExport::Run(const QString& csvPath, const QString& statisticsPath,
                        const QStringList& ownPaths, const QTimeZone& zone, std::FILE* out,
                        std::FILE* err) {
    Request request;
    request.file = csvPath;
    request.statisticsPath = statisticsPath;
    request.ownPaths = ownPaths;
    request.zone = zone;
    request.out = out;
    request.err = err;
    return Games(request);
}
