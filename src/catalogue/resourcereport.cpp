#include "resourcereport.h"

#include "cslowa.h"

#include <QDir>
#include <QSaveFile>

QString ResourceReport::FileName() {
    return QStringLiteral("Raport zasobów.txt");
}

QString ResourceReport::Caption() {
    return QStringLiteral("Wiklotek Cz.I- Raport zasobów");
}

QByteArray ResourceReport::ReportText(const QStringList& missing) {
    QStringList lines{QStringLiteral("Raport Zasobów"), QString(),
                      QStringLiteral("Zasoby słów, których brakuje:")};
    lines.append(missing);
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

ResourceReport::Result ResourceReport::Run(const CSlowa& catalogue, const QString& targetDir) {
    Result result;
    result.caption = Caption();
    if (catalogue.CheckResources(&result.missing)) {
        result.outcome = Outcome::AllPresent;
        result.icon = Icon::Information;
        result.message = QStringLiteral("Wszystkie zasoby słów istnieją.");
        return result;
    }

    result.reportPath = QDir(targetDir).filePath(FileName());
    // Written whole or not at all: an interrupted write never leaves half a report.
    QSaveFile file(result.reportPath);
    const QByteArray text = ReportText(result.missing);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
    if (written) {
        result.outcome = Outcome::ReportWritten;
        result.icon = Icon::Warning;
        result.message = QStringLiteral(
            "Brak niektórych plików!\n\nRaport zapisano w pliku \"Raport zasobów.txt\"");
    } else {
        result.outcome = Outcome::ReportFailed;
        result.icon = Icon::Critical;
        result.message = QStringLiteral("Błąd podczas zapisu do pliku \"Raport zasobów.txt\"!");
    }
    return result;
}
