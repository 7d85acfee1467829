#pragma once

class Canvas;
class QWidget;

// What the Memory game needs from the window it plays in. The window implements it; tests
// implement it over an invisible widget and plain canvases, so the game runs without a screen.
class MemoryWindow {
public:
    virtual ~MemoryWindow() = default;

    // The widget the card controls sit on.
    virtual QWidget* CardParent() = 0;
    // The off-screen canvas the whole screen is composed on.
    virtual Canvas& ScreenCanvas() = 0;
    // The window's visible canvas; what is drawn there shows at once.
    virtual Canvas& VisibleCanvas() = 0;
    // Brings the screen canvas onto the window now.
    virtual void RepaintWindow() = 0;
    // Composes the whole screen anew: background, buttons and board.
    virtual void A_EkranPaint() = 0;
    // Ends the game as the stop button does.
    virtual void A_Stop() = 0;
};
