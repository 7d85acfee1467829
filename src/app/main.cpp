#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    // "-reverse z" must not be taken for "z": the application object drops its own options.
    const QStringList typed = Startup::typedArguments(argc, argv);
    QApplication application(argc, argv);
    Startup startup;
    return startup.run(typed);
}
