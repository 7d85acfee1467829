#include "screenscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

constexpr const char* QtScaleVariable = "QT_SCALE_FACTOR";
constexpr int BigWidth = 1024;
constexpr int BigHeight = 768;

// The logical size of the primary screen as the real application would see it now.
QSize measurePrimaryScreen(int argc, char** argv) {
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
    ScreenScale scale;
    if (!IsWanted(arguments))
        return scale;
    const double factor = FactorFor(measurePrimaryScreen(argc, argv));
    if (factor <= 1.0)
        return scale;
    double userFactor = 1.0;
    if (qEnvironmentVariableIsSet(QtScaleVariable)) {
        scale.m_previousValue = qgetenv(QtScaleVariable);
        bool ok = false;
        const double value = scale.m_previousValue->toDouble(&ok);
        if (ok && value > 0)
            userFactor = value;
    }
    scale.m_factor = factor;
    scale.m_changedEnvironment = true;
    // Full precision: the logical screen must come out as exactly 768 (or 1024) high (wide).
    qputenv(QtScaleVariable, QByteArray::number(userFactor * factor, 'g', 17));
    return scale;
}

void ScreenScale::RestoreEnvironment() const {
    if (!m_changedEnvironment)
        return;
    if (m_previousValue)
        qputenv(QtScaleVariable, *m_previousValue);
    else
        qunsetenv(QtScaleVariable);
}
