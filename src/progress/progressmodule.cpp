// The progress window as the module the program loads the first time the therapist opens it:
// the charts and printing libraries it is drawn with (and the libraries those bring) stay out of
// every start. The program itself provides everything else the window uses.
#include "cdisplay.h"
#include "progresssources.h"
#include "tformpostepy.h"

extern "C" Q_DECL_EXPORT Form* wiklotekMakeProgressWindow(const CDisplay* display,
                                                          const ProgressSources* sources) {
    return new TFormPostepy(*display, *sources);
}

// Another child practises, or the files moved: the window made before reads those from its next
// opening on.
extern "C" Q_DECL_EXPORT void wiklotekSetProgressSources(Form* window,
                                                         const ProgressSources* sources) {
    if (auto* progress = qobject_cast<TFormPostepy*>(window))
        progress->SetSources(*sources);
}
