#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>

// How drawn pixels combine with the pixels already on a canvas, as the Windows raster
// operations the pictures were made for.
enum class CopyMode {
    SrcCopy,  // the source replaces the destination
    SrcPaint, // source OR destination
    SrcAnd,   // source AND destination
};

// A drawing surface over an RGB32 image: an off-screen canvas, or the front image of a Form.
// Every operation that changes pixels reports the touched rectangle to the change listener,
// which is how a Form gets the rectangle onto the screen at once.
class Canvas {
public:
    using ChangeListener = std::function<void(const QRect&)>;

    Canvas() = default;
    Canvas(int width, int height, const QColor& brush = Qt::white);
    // Takes a copy of the picture (converted to RGB32) as the canvas content.
    explicit Canvas(const QImage& picture);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Canvas(Canvas&&) = default;
    Canvas& operator=(Canvas&&) = default;

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QRect rect() const { return m_image.rect(); }
    const QImage& image() const { return m_image; }
    // Direct access for drawing that the canvas does not offer; call changed() afterwards.
    QImage& image() { return m_image; }
    void changed(const QRect& rect);

    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }

    CopyMode copyMode() const { return m_mode; }
    void setCopyMode(CopyMode mode) { m_mode = mode; }
    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor& color) { m_brush = color; }
    // For what callers draw on image() themselves (text, lines); the canvas never uses it.
    QColor penColor() const { return m_pen; }
    void setPenColor(const QColor& color) { m_pen = color; }

    // New size; what stays inside keeps its pixels, new area gets the brush colour.
    void resize(int width, int height);

    // The whole picture with its top-left corner at (x, y), in the current copy mode.
    void draw(int x, int y, const QImage& picture);
    void draw(int x, int y, const Canvas& source) { draw(x, y, source.image()); }
    // BitBlt: dest.size() pixels from source starting at sourcePos, in the current copy mode.
    void copyFrom(const QRect& dest, const QImage& source, const QPoint& sourcePos);
    void copyFrom(const QRect& dest, const Canvas& source, const QPoint& sourcePos) {
        copyFrom(dest, source.image(), sourcePos);
    }
    // The whole picture scaled to dest by pixel repetition (never smoothed).
    void stretchDraw(const QRect& dest, const QImage& picture);
    void fillRect(const QRect& rect);
    // One-pixel outline just inside rect, in the brush colour (as GDI's FrameRect).
    void frameRect(const QRect& rect);

    // The shaped-picture draw: mask (white on the object, black elsewhere) with SrcPaint, then
    // the picture (white outside the object) with SrcAnd, then the copy mode back to SrcCopy.
    // The background outside the object stays as it was.
    void drawMasked(int x, int y, const QImage& mask, const QImage& picture);

private:
    void blit(const QRect& dest, const QImage& source, const QRect& sourceRect);
    void paintWith(const QRect& touched, const std::function<void(class QPainter&)>& paint);
    // Paints without telling the listener; false when there was nothing to paint on.
    bool paintPixels(const QRect& touched, const std::function<void(class QPainter&)>& paint);

    // While held, changes are gathered and reported once, so a masked draw on a Form reaches
    // the screen whole instead of in its white intermediate state.
    int m_hold = 0;
    QRect m_held;

    QImage m_image;
    CopyMode m_mode = CopyMode::SrcCopy;
    QColor m_brush = Qt::white;
    QColor m_pen = Qt::black;
    ChangeListener m_listener;
};
