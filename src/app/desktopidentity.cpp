#include "desktopidentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImageReader>

QString DesktopIdentity::ApplicationName() {
    return QStringLiteral("Wiklotek Cz.I");
}

QString DesktopIdentity::DesktopFileName() {
    return QStringLiteral("pl.wiklotek.Wiklotek");
}

QString DesktopIdentity::IconName() {
    return QStringLiteral("wiklotek");
}

QStringList DesktopIdentity::IconFiles(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString file = IconName() + QStringLiteral(".png");
    return {folder.filePath(file),
            QDir::cleanPath(folder.filePath(
                QStringLiteral(WIKLOTEK_INSTALLED_ICONS "/hicolor/256x256/apps/") + file))};
}

QIcon DesktopIdentity::WindowIcon(const QString& programFolder) {
    QIcon own;
    for (const QString& file : IconFiles(programFolder)) {
        // A file that is there but cannot be read would give an icon that draws nothing.
        if (QImageReader(file).canRead()) {
            own = QIcon(file);
            break;
        }
    }
    return QIcon::fromTheme(IconName(), own);
}

void DesktopIdentity::Apply() {
    QCoreApplication::setApplicationName(ApplicationName());
    QGuiApplication::setDesktopFileName(DesktopFileName());
    const QIcon icon = WindowIcon(QCoreApplication::applicationDirPath());
    if (!icon.isNull())
        QGuiApplication::setWindowIcon(icon);
}
