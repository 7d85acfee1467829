#include "eventpump.h"

#include <QCoreApplication>
#include <QThread>

void Sleep(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void ProcessMessages() {
    QCoreApplication::processEvents();
}
