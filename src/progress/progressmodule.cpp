// The progress window as the module the program loads the first time the therapist opens it:
// the charts library it is drawn with (and the libraries that one brings) stay out of every
// start. The program itself provides everything else the window uses.
#include "cdisplay.h"
#include "tformpostepy.h"

extern "C" Q_DECL_EXPORT Form* wiklotekMakeProgressWindow(const CDisplay* display,
                                                          const QString* statisticsPath,
                                                          const QStringList* ownPaths) {
    auto* window = new TFormPostepy(*display, *statisticsPath);
    window->SetOwnPaths(*ownPaths);
    return window;
}
