#include "screenscale.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    // "-reverse z" must not be taken for "z": the application object drops its own options.
    const QStringList typed = Startup::typedArguments(argc, argv);
    const ScreenScale scale = ScreenScale::ChooseBeforeApplication(typed, argc, argv);
    QApplication application(argc, argv);
    scale.RestoreEnvironment();
    Startup startup;
    return startup.run(typed);
}
