#pragma once

class Canvas;
class QWidget;

// What the completing game needs from the window it plays in. The window implements it; tests
// implement it over an invisible widget and plain canvases, so the game runs without a screen.
class CompletingWindow {
public:
    virtual ~CompletingWindow() = default;

    // The widget the sound buttons' controls sit on.
    virtual QWidget* ButtonParent() = 0;
    // The off-screen canvas the whole screen is composed on.
    virtual Canvas& ScreenCanvas() = 0;
    // The background picture alone, where erased pixels come from.
    virtual const Canvas& BackgroundCanvas() = 0;
    // Brings the screen canvas onto the window now.
    virtual void RepaintWindow() = 0;
    // Takes the help button away: a solved word needs no help.
    virtual void HideHelpButton() = 0;
    // Ends the game as the stop button does.
    virtual void A_Stop() = 0;
};
