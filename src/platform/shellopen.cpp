#include "shellopen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

QUrl ShellUrl(const QString& pathOrUrl) {
    const QString text = pathOrUrl.trimmed();
    if (text.isEmpty())
        return QUrl();
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    // A scheme has two letters at least, so a drive letter ("C:") is still taken as a path.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

bool ShellOpen(const QString& pathOrUrl) {
    const QUrl url = ShellUrl(pathOrUrl);
    return url.isValid() && QDesktopServices::openUrl(url);
}
