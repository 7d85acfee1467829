#pragma once

class Canvas;
class QRect;
class QWidget;

// What a game's logic needs from the window it plays in. The game windows implement it; tests
// implement it over an invisible widget and plain canvases, so a game runs without a screen.
// Each game adds what is its own in an interface derived from this one (virtually, so that
// the window's one implementation serves both).
class GameSurface {
public:
    virtual ~GameSurface() = default;

    // The widget the game's controls (cards, tiles, sound buttons) sit on.
    virtual QWidget* ControlParent() = 0;
    // The off-screen canvas the whole screen is composed on.
    virtual Canvas& ScreenCanvas() = 0;
    // The background picture alone, where erased and uncovered pixels come from.
    virtual const Canvas& BackgroundCanvas() = 0;
    // The window's visible canvas; what is drawn there shows at once.
    virtual Canvas& VisibleCanvas() = 0;
    // Brings one rectangle of the screen canvas onto the window; the window may gather several
    // before it paints them together.
    virtual void RepaintRect(const QRect& rect) = 0;
    // Brings the whole screen canvas onto the window now.
    virtual void RepaintWindow() = 0;
    // Ends the game as the stop button does.
    virtual void A_Stop() = 0;
};
