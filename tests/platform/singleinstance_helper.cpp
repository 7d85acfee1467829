// A second program for the single-instance tests.
//   singleinstance_helper second <key>  exit 0 when the running copy answered the raise
//                                       request, 1 when it did not, 2 when the lock was free
//   singleinstance_helper first <key>   holds the lock, prints "ready", prints "raised" for
//                                       every raise request, runs until killed or 60 s pass
#include "singleinstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 3;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    if (mode == QLatin1String("second")) {
        if (instance.tryAcquire())
            return 2;
        return instance.askRunningToRaise(5000) ? 0 : 1;
    }
    if (!instance.tryAcquire())
        return 1;
    instance.setOnRaiseRequested([] {
        std::puts("raised");
        std::fflush(stdout);
    });
    std::puts("ready");
    std::fflush(stdout);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
