#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

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
    // A background picture with pads of its own painted where the buttons stand would keep
    // showing them after the buttons have gone. The circle inside each rectangle (a pad's
    // Bounds) is filled, row by row, with the colour the row has just beside the rectangle,
    // which takes such a pad out of a background shaded from top to bottom.
    static void TakeOutOf(QImage& picture, const std::vector<QRect>& bounds);
};
