#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// How the desktop ties the program's windows to its menu entry: the application name, which
// Qt on X11 makes the class of every window's WM_CLASS (the desktop entry's StartupWMClass
// names the same), the desktop file name (Wayland's app id, the docks' hint), and the icon of
// every window.
class DesktopIdentity {
public:
    // The class of WM_CLASS, as the desktop entry's StartupWMClass names it.
    static QString ApplicationName();
    // The desktop entry's file name without ".desktop".
    static QString DesktopFileName();
    // The icon's name in the icon theme, as the desktop entry's Icon= names it.
    static QString IconName();

    // The program's own icon files, tried when the icon theme has none of that name: beside the
    // program (a portable folder), then the installed copy reached from the program's folder
    // (bin/../share/icons/hicolor), for an installed tree that the desktop does not search.
    static QStringList IconFiles(const QString& programFolder);
    // The theme's icon, else the first of IconFiles that can be read; null when there is none.
    static QIcon WindowIcon(const QString& programFolder);

    // Sets the name, the desktop file name and the window icon on the application, before any
    // window is made (WM_CLASS is taken once, when the first window is). Needs a
    // QGuiApplication.
    static void Apply();
};
