#include "displaycheck.h"

#include "screenscale.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace {

QString withoutOptions(const QString& platform) {
    return platform.section(u':', 0, 0).trimmed();
}

QString waylandSocket(const DisplayCheck::Inputs& inputs) {
    const QString name =
        inputs.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : inputs.waylandDisplay;
    if (QDir::isAbsolutePath(name))
        return name;
    return inputs.runtimeFolder.isEmpty() ? QString() : inputs.runtimeFolder + u'/' + name;
}

// Why this one window system cannot show a window; empty when it can (or cannot be told).
QString problemOf(const QString& platform, const DisplayCheck::Inputs& inputs) {
    if (platform == QLatin1String("xcb")) {
        if (inputs.xDisplay.isEmpty())
            return QStringLiteral("zmienna DISPLAY nie jest ustawiona (DISPLAY is not set)");
        if (!inputs.xServerAnswers || !inputs.xServerAnswers())
            return QStringLiteral("nie można połączyć się z serwerem X \"%1\" (cannot connect "
                                  "to the X server)")
                .arg(inputs.xDisplay);
        return {};
    }
    if (platform.startsWith(QLatin1String("wayland"))) {
        const QString socket = waylandSocket(inputs);
        if (socket.isEmpty() || !inputs.socketExists || !inputs.socketExists(socket))
            return QStringLiteral("nie można połączyć się z serwerem Wayland \"%1\" (cannot "
                                  "connect to the Wayland compositor)")
                .arg(socket.isEmpty() ? QStringLiteral("XDG_RUNTIME_DIR?") : socket);
        return {};
    }
    if (inputs.pluginExists && !inputs.pluginExists(platform))
        return QStringLiteral("brak wtyczki okien \"%1\" (no such Qt platform plugin)")
            .arg(platform);
    return {};
}

// The platform plugin folders the toolkit looks in.
bool platformPluginInstalled(const QString& platform) {
    QStringList folders;
    for (const QString& folder :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts))
        folders << folder + QStringLiteral("/platforms");
    for (const QString& folder :
         qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts))
        folders << folder;
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    // Plugin files are named after one of their keys: libqoffscreen.so, libqwayland-egl.so.
    const QStringList pattern{QStringLiteral("libq") + platform + QStringLiteral("*.so")};
    for (const QString& folder : folders)
        if (!QDir(folder).entryList(pattern, QDir::Files).isEmpty())
            return true;
    return false;
}

} // namespace

QStringList DisplayCheck::Platforms(const Inputs& inputs) {
    QString chosen = inputs.platformOption;
    if (chosen.isEmpty())
        chosen = inputs.platformVariable;
    if (chosen.isEmpty())
        chosen = inputs.sessionType == QLatin1String("wayland") ? QStringLiteral("wayland;xcb")
                                                                : QStringLiteral("xcb");
    QStringList platforms;
    for (const QString& platform : chosen.split(u';', Qt::SkipEmptyParts))
        if (const QString name = withoutOptions(platform); !name.isEmpty())
            platforms << name;
    return platforms;
}

QString DisplayCheck::Problem(const Inputs& inputs) {
    QStringList problems;
    for (const QString& platform : Platforms(inputs)) {
        const QString problem = problemOf(platform, inputs);
        if (problem.isEmpty())
            return {};
        problems << problem;
    }
    if (problems.isEmpty())
        problems << QStringLiteral("nie wybrano systemu okien (no window system chosen)");
    return QStringLiteral("brak ekranu: ") + problems.join(QStringLiteral("; "));
}

DisplayCheck::Inputs DisplayCheck::ForProcess(const QStringList& arguments,
                                              std::function<bool()> xServerAnswers) {
    Inputs inputs;
    for (qsizetype i = 1; i + 1 < arguments.size() && arguments.at(i) != QLatin1String("--"); ++i)
        if (arguments.at(i) == QLatin1String("-platform") ||
            arguments.at(i) == QLatin1String("--platform"))
            inputs.platformOption = arguments.at(i + 1);
    inputs.platformVariable = qEnvironmentVariable("QT_QPA_PLATFORM");
    inputs.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    inputs.xDisplay = QString::fromLocal8Bit(ScreenScale::DisplayName(arguments));
    if (inputs.xDisplay.isEmpty())
        inputs.xDisplay = qEnvironmentVariable("DISPLAY");
    inputs.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    inputs.runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    inputs.xServerAnswers = std::move(xServerAnswers);
    inputs.socketExists = [](const QString& path) { return QFileInfo(path).exists(); };
    inputs.pluginExists = platformPluginInstalled;
    return inputs;
}
