#pragma once

// The main function of tests that run on an offscreen 1920 x 1080 screen, enlarged before the
// application object exists just as the program enlarges it.

#include "screenscale.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

inline constexpr double kScaledFactor = 1080.0 / 768.0;

// With QT_QPA_PLATFORM=xcb the tests run on the X server of DISPLAY instead, which must be
// 1920 x 1080: what reaches a real screen is only seen there.
inline int runOnScaledScreen(int argc, char** argv, const char* name) {
    static QTemporaryDir configDir;
    const bool onX = qgetenv("QT_QPA_PLATFORM") == "xcb";
    const QString config = configDir.filePath("screen.json");
    QFile file(config);
    if (!onX) {
        if (!configDir.isValid() || !file.open(QIODevice::WriteOnly) ||
            file.write(R"({"screens":[{"width":1920,"height":1080}]})") < 0)
            return 1;
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    }
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv(ScreenScale::NoScaleVariable);
    ScreenScale scale =
        ScreenScale::ChooseBeforeApplication({QString::fromLatin1(name)}, argc, argv);
    // Never destroyed, as in the other window tests: Qt's test devices must not outlive it.
    static int appArgc = argc;
    new QApplication(appArgc, argv);
    scale.AfterApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
