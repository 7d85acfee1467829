#pragma once

#include <QPoint>
#include <QRect>

class Canvas;

// The round pad a sound button stands on. It belongs to the button: drawn under it while it
// waits for a choice, red for a moment under a button chosen wrongly, and gone with it.
class SoundPad {
public:
    enum class Look { Plain, Wrong };

    // What the pad of a button of side `tile` at `buttonTopLeft` covers, outline included.
    static QRect Bounds(QPoint buttonTopLeft, int tile);
    // The pad, drawn over whatever is on the canvas inside Bounds.
    static void Draw(Canvas& canvas, QPoint buttonTopLeft, int tile, Look look);
};
