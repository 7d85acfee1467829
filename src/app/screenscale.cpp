#include "screenscale.h"

#include "xscreenmeasure.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr const char* QtScaleVariable = "QT_SCALE_FACTOR";
constexpr int BigWidth = 1024;
constexpr int BigHeight = 768;

// The value of a toolkit option given as "-name value" (or "--name value"), as typed.
QString optionValue(const QStringList& arguments, QLatin1String name) {
    for (qsizetype i = 1; i + 1 < arguments.size() && arguments.at(i) != QLatin1String("--"); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QStringLiteral("-") + name || argument == QStringLiteral("--") + name)
            return arguments.at(i + 1);
    }
    return {};
}

// The logical size of the primary screen as an application object sees it, on window systems
// other than X.
QSize measureWithApplication(int argc, char** argv) {
    // The probe takes its own copy of the arguments: the application object removes the ones
    // it understands (such as -platform), and the real one must see them all.
    std::vector<char*> probeArgv(argv, argv + argc);
    probeArgv.push_back(nullptr);
    int probeArgc = argc;
    QGuiApplication probe(probeArgc, probeArgv.data());
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace

double ScreenScale::FactorFor(QSize screen) {
    if (screen.width() <= 0 || screen.height() <= 0)
        return 1.0;
    const double factor = std::min(static_cast<double>(screen.width()) / BigWidth,
                                   static_cast<double>(screen.height()) / BigHeight);
    return std::max(factor, 1.0);
}

bool ScreenScale::RunsOnX(const QStringList& arguments) {
    QString platform = optionValue(arguments, QLatin1String("platform"));
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform.startsWith(QLatin1String("xcb"));
    // Unset, the toolkit takes X except in a Wayland session.
    return qEnvironmentVariable("XDG_SESSION_TYPE") != QLatin1String("wayland");
}

QByteArray ScreenScale::DisplayName(const QStringList& arguments) {
    return optionValue(arguments, QLatin1String("display")).toLocal8Bit();
}

ScreenScale::ScreenScale() = default;
ScreenScale::ScreenScale(ScreenScale&&) noexcept = default;
ScreenScale::~ScreenScale() = default;

bool ScreenScale::IsWanted(const QStringList& arguments) {
    // As for the other options, "--" ends them.
    for (qsizetype i = 1; i < arguments.size() && arguments.at(i) != QLatin1String("--"); ++i)
        if (arguments.at(i) == QLatin1String(NoScaleOption))
            return false;
    const QByteArray variable = qgetenv(NoScaleVariable);
    return variable.isEmpty() || variable == "0";
}

ScreenScale ScreenScale::ChooseBeforeApplication(const QStringList& arguments, int argc,
                                                 char** argv) {
    return ChooseBeforeApplication(arguments, argc, argv, nullptr);
}

ScreenScale ScreenScale::ChooseBeforeApplication(const QStringList& arguments, int argc,
                                                 char** argv,
                                                 std::unique_ptr<XScreenMeasure> measured) {
    ScreenScale scale;
    // Held until the application has connected, scaled or not.
    scale.m_measure = std::move(measured);
    if (!IsWanted(arguments))
        return scale;
    QSize screen;
    if (RunsOnX(arguments)) {
        if (!scale.m_measure)
            scale.m_measure = std::make_unique<XScreenMeasure>(DisplayName(arguments));
        screen = scale.m_measure->PrimarySize();
    }
    // No X server to ask (or another window system): the toolkit itself measures, and reports
    // an unreachable display as it always does.
    if (!scale.m_measure || !scale.m_measure->Connected())
        screen = measureWithApplication(argc, argv);
    const double factor = FactorFor(screen);
    double userFactor = 1.0;
    const bool userSetFactor = qEnvironmentVariableIsSet(QtScaleVariable);
    if (userSetFactor) {
        bool ok = false;
        const double value = qgetenv(QtScaleVariable).toDouble(&ok);
        if (ok && value > 0)
            userFactor = value;
    }
    // The X server gives pixels; the toolkit shows them divided by every factor.
    if (scale.m_measure && scale.m_measure->Connected() && !screen.isEmpty()) {
        const double total = userFactor * factor;
        scale.m_logicalScreen = QSize(int(std::lround(screen.width() / total)),
                                      int(std::lround(screen.height() / total)));
    }
    if (factor <= 1.0)
        return scale;
    if (userSetFactor)
        scale.m_previousValue = qgetenv(QtScaleVariable);
    scale.m_factor = factor;
    scale.m_changedEnvironment = true;
    // Full precision: the logical screen must come out as exactly 768 (or 1024) high (wide).
    qputenv(QtScaleVariable, QByteArray::number(userFactor * factor, 'g', 17));
    return scale;
}

void ScreenScale::AfterApplication() {
    m_measure.reset();
    if (!m_changedEnvironment)
        return;
    if (m_previousValue)
        qputenv(QtScaleVariable, *m_previousValue);
    else
        qunsetenv(QtScaleVariable);
    m_changedEnvironment = false;
}
