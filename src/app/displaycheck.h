#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Whether the toolkit will find a window system to show the program on, decided before the
// application object exists: without one the toolkit ends the process with an abort (a core
// dump on some systems) instead of an error a user can read.
class DisplayCheck {
public:
    struct Inputs {
        QString platformOption;   // the value of -platform as typed
        QString platformVariable; // QT_QPA_PLATFORM
        QString sessionType;      // XDG_SESSION_TYPE
        QString xDisplay;         // -display as typed, else DISPLAY
        QString waylandDisplay;   // WAYLAND_DISPLAY
        QString runtimeFolder;    // XDG_RUNTIME_DIR
        // Asked only for the window systems that are tried, in the toolkit's order.
        std::function<bool()> xServerAnswers;
        std::function<bool(const QString& socketPath)> socketExists;
        std::function<bool(const QString& platform)> pluginExists;
    };

    // The window systems the toolkit tries, in order, without their ":options".
    static QStringList Platforms(const Inputs& inputs);
    // Empty when one of them can show a window; otherwise why not, as one line.
    static QString Problem(const Inputs& inputs);

    // The inputs of this process. xServerAnswers connects to the X server (the caller keeps that
    // connection for the toolkit's screen measurement).
    static Inputs ForProcess(const QStringList& arguments, std::function<bool()> xServerAnswers);
};
