#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CSlowa;

// The maintenance check behind the "z" switch: are all media files of every word there? When
// some are missing, their paths go into "Raport zasobów.txt". This unit only checks and
// writes; the caller shows the message box and chooses the exit code.
class ResourceReport {
public:
    enum class Outcome { AllPresent, ReportWritten, ReportFailed };
    enum class Icon { Information, Warning, Critical };

    struct Result {
        Outcome outcome{Outcome::AllPresent};
        QString message; // text of the message box
        QString caption;
        Icon icon{Icon::Information};
        QString reportPath;  // the report file, written or attempted; empty when all present
        QStringList missing; // missing paths in check order
    };

    static QString FileName();
    static QString Caption();

    // Checks the catalogue's files (relative to the current directory) and, when some are
    // missing, writes the report into targetDir, replacing an older one. When nothing is
    // missing no file is written and an old report stays as it is.
    static Result Run(const CSlowa& catalogue, const QString& targetDir);

    // The report's bytes: UTF-8, three header lines, then one path per line, each line ended
    // by CR LF.
    static QByteArray ReportText(const QStringList& missing);
};
