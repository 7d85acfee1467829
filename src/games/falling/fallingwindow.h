#pragma once

class Canvas;
class QRect;
class QWidget;

// What the falling game needs from the window it plays in. The window implements it; tests
// implement it over an invisible widget and plain canvases, so the game runs without a screen.
class FallingWindow {
public:
    virtual ~FallingWindow() = default;

    // The widget the card and slot controls sit on.
    virtual QWidget* CardParent() = 0;
    // The off-screen canvas the whole screen is composed on.
    virtual Canvas& ScreenCanvas() = 0;
    // The background picture alone, from which moved pictures restore what they uncover.
    virtual const Canvas& BackgroundCanvas() = 0;
    // Brings one rectangle of the screen canvas onto the window; the window may gather several
    // before it paints them together.
    virtual void RepaintRect(const QRect& rect) = 0;
    // Brings the whole screen canvas onto the window now.
    virtual void RepaintWindow() = 0;
    // The buttons of the end display: "stop" shown, "pomoc" hidden.
    virtual void ShowResultButtons() = 0;
    // Ends the game as the stop button does.
    virtual void A_Stop() = 0;
};
