#pragma once

#include <QApplication>

// One QApplication for the whole test executable, made on first use. It is never destroyed:
// Qt's own static objects (the test input devices) must not outlive it at exit.
inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "wk-platform-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
