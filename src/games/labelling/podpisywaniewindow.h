#pragma once

#include <QRect>

class Canvas;
class QWidget;

// What the labelling game needs from the window it plays in. The window implements it; tests
// implement it over an invisible widget and plain canvases, so the game runs without a screen.
class PodpisywanieWindow {
public:
    virtual ~PodpisywanieWindow() = default;

    // The widget the tile controls sit on.
    virtual QWidget* TileParent() = 0;
    // The window's visible canvas; what is drawn there shows at once.
    virtual Canvas& VisibleCanvas() = 0;
    // Brings the screen canvas, with the tiles drawn on it, onto the window now.
    virtual void RepaintWindow() = 0;
    // Puts the current background and the buttons on the screen canvas: help and stop, next
    // and previous as the current word allows.
    virtual void DrawBackdrop() = 0;
    // The word is solved: help has nothing more to show.
    virtual void HideHelpButton() = 0;
    // Where the help, stop, next and previous buttons stand, shown or not: no tile may lie
    // there and cover them.
    virtual QRect ButtonArea() const = 0;
    // Ends the game as the stop button does.
    virtual void A_Stop() = 0;
};
