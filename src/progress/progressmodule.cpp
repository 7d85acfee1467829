// The progress window as the module the program loads the first time the therapist opens it:
// the charts library it is drawn with (and the libraries that one brings) stay out of every
// start. The program itself provides everything else the window uses.
#include "cdisplay.h"
#include "progresssources.h"
#include "tformpostepy.h"

extern "C" Q_DECL_EXPORT Form* wiklotekMakeProgressWindow(const CDisplay* display,
                                                          const ProgressSources* sources) {
    auto* window = new TFormPostepy(*display, sources->statisticsPath);
    window->SetOwnPaths(sources->ownPaths);
    return window;
}
