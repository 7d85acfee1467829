#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Startup startup;
    return startup.run(QCoreApplication::arguments());
}
