#include "cstatrec.h"
#include "progressexport.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    // "-reverse z" must not be taken for "z": the application object drops its own options.
    const QStringList typed = Startup::typedArguments(argc, argv);
    // The CSV export needs no display, so no GUI application is made for it.
    if (ProgressExport::IsRequested(typed)) {
        QCoreApplication core(argc, argv);
        return ProgressExport::Run(typed, QCoreApplication::applicationDirPath() +
                                              QLatin1Char('/') + CStatRec::FileName(1));
    }
    QApplication application(argc, argv);
    Startup startup;
    return startup.run(typed);
}
