#pragma once

#include "canvas.h"

#include <QImage>
#include <QRect>

// Shows a shaped picture on a window's canvas over the window's background: the background
// under the picture's rectangle is copied into a private canvas, the mask and the picture are
// drawn there, and the finished rectangle is copied to the destination in one step. A new
// picture can therefore replace an old one without the window redrawing its background, and
// erasing puts the background back. The two canvases belong to the window and must outlive
// the composer.
class SpriteComposer {
public:
    SpriteComposer(Canvas& destination, const QImage& background, const QRect& rect);
    SpriteComposer(const SpriteComposer&) = delete;
    SpriteComposer& operator=(const SpriteComposer&) = delete;

    // Where the picture goes on the destination (and comes from on the background).
    QRect rect() const { return m_rect; }
    void moveTo(int x, int y) { m_rect.moveTo(x, y); }
    // Moves the rectangle; a negative coordinate keeps its old value. A picture that is shown
    // leaves its old place at once (the background goes back there), as the window's repaint
    // of both places would. False when the rectangle stays where it was.
    bool relocate(int x, int y, bool shown);

    // Background, mask with SrcPaint, picture with SrcAnd, then the whole rectangle out.
    void show(const QImage& mask, const QImage& picture);
    // The background's pixels under the rectangle back onto the destination.
    void erase();

    // True while the result is being copied to the destination. A window's visible canvas
    // repaints at once, and that paint must not make the owner compose again.
    bool busy() const { return m_busy; }

    // The private canvas with the last composed rectangle.
    const Canvas& composition() const { return m_composition; }

private:
    Canvas& m_destination;
    const QImage& m_background;
    QRect m_rect;
    Canvas m_composition;
    bool m_busy = false;
};
