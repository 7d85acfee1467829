#pragma once

#include "progresssources.h"

#include <QString>
#include <QStringList>

class CDisplay;
class Form;

// Opens the progress view from its module (beside the program, or in the installed program's
// library folder), loaded the first time it is asked for.
class ProgressModule {
public:
    // The module's file name, and where it is looked for, in this order.
    static QString FileName() { return QStringLiteral("wiklotek-progress.so"); }
    static QStringList Places();

    // The window, made anew on each call. Null when the module cannot be loaded (the reason is
    // written to standard error); CBlad(1) from the window when one of its pictures is missing.
    static Form* Make(const CDisplay& display, const ProgressSources& sources);

    // The interface pictures the window reads, relative to the program's folder.
    static QStringList PictureFiles(const CDisplay& display);
};
