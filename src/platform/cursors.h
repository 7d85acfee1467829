#pragma once

#include <QCursor>

// The program's cursor numbers: the framework's help (-20) and hand (-21) cursors and the
// falling game's own cross-hair, registered as 5.
enum class ProgramCursor : int {
    Default = 0,
    Help = -20,
    Hand = -21,
    Shot = 5,
};

// The cursor for a number; unknown numbers give the ordinary arrow. Needs a GUI application.
QCursor cursorFor(ProgramCursor id);
QCursor cursorFor(int id);
