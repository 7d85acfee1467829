#include "progressmodule.h"

#include "messagebox.h"
#include "tformpostepy.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

namespace {

using MakeWindow = Form* (*)(const CDisplay*, const ProgressSources*);

MakeWindow makerFromModule() {
    static MakeWindow maker = nullptr;
    if (maker)
        return maker;
    for (const QString& path : ProgressModule::Places()) {
        if (!QFileInfo(path).isFile())
            continue;
        QLibrary module(path);
        // Every symbol now, so that a module that does not fit this program fails here rather
        // than at some later call.
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        maker = reinterpret_cast<MakeWindow>(module.resolve("wiklotekMakeProgressWindow"));
        if (maker)
            return maker; // stays loaded for the rest of the run
        std::fprintf(stderr, "wiklotek: the progress view cannot be opened: %s\n",
                     qUtf8Printable(module.errorString()));
        return nullptr;
    }
    std::fprintf(stderr, "wiklotek: the progress view cannot be opened: %s is missing\n",
                 qUtf8Printable(ProgressModule::FileName()));
    return nullptr;
}

} // namespace

QStringList ProgressModule::Places() {
    const QDir program(QApplication::applicationDirPath());
    return {program.filePath(FileName()),
            QDir::cleanPath(program.filePath(QStringLiteral(WIKLOTEK_INSTALLED_MODULES) +
                                             QLatin1Char('/') + FileName()))};
}

Form* ProgressModule::Make(const CDisplay& display, const ProgressSources& sources) {
    if (const MakeWindow maker = makerFromModule())
        return maker(&display, &sources);
    // The therapist pressed the button: silence would look like a program that does not hear.
    MessageBox::show(QApplication::activeWindow(),
                     QStringLiteral("Nie można otworzyć widoku postępów: brak jego pliku %1 "
                                    "albo biblioteki wykresów.")
                         .arg(FileName()),
                     QStringLiteral("Wiklotek Cz.I"), MessageBox::Icon::Warning);
    return nullptr;
}

QStringList ProgressModule::PictureFiles(const CDisplay& display) {
    return TFormPostepy::PictureFiles(display);
}
