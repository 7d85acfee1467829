#include "canvas.h"

#include "picturepreload.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

QPainter::CompositionMode compositionFor(CopyMode mode) {
    switch (mode) {
    case CopyMode::SrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case CopyMode::SrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case CopyMode::SrcCopy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

// Raster operations combine raw pixel words, so every source must be RGB32 like the canvas.
QImage asRgb32(const QImage& picture) {
    if (picture.format() == QImage::Format_RGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

QColor opaque(const QColor& color) {
    QColor c = color;
    c.setAlpha(255);
    return c;
}

} // namespace

Canvas::Canvas(int width, int height, const QColor& brush) : m_brush(brush) {
    resize(width, height);
}

Canvas::Canvas(const QImage& picture) : m_image(asRgb32(picture)) {}

void Canvas::changed(const QRect& rect) {
    const QRect r = rect.intersected(m_image.rect());
    if (r.isEmpty())
        return;
    if (m_hold > 0) {
        m_held = m_held.united(r);
        return;
    }
    if (m_listener)
        m_listener(r);
}

void Canvas::resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_image.width() && height == m_image.height() && !m_image.isNull())
        return;
    QImage next;
    if (width > 0 && height > 0) {
        // A window's first canvas may have been made ready on the picture thread.
        next = PicturePreload::TakeBuffer(QSize(width, height)).value_or(QImage());
        if (next.isNull())
            next = QImage(width, height, QImage::Format_RGB32);
        next.fill(opaque(m_brush));
        if (!m_image.isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, m_image);
        }
    }
    m_image = next;
    changed(m_image.rect());
}

void Canvas::paintWith(const QRect& touched, const std::function<void(QPainter&)>& paint) {
    if (paintPixels(touched, paint))
        changed(touched);
}

bool Canvas::paintPixels(const QRect& touched, const std::function<void(QPainter&)>& paint) {
    if (m_image.isNull() || touched.isEmpty())
        return false;
    QPainter p(&m_image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    paint(p);
    return true;
}

void Canvas::blit(const QRect& dest, const QImage& source, const QRect& sourceRect) {
    // Clip the source rectangle to the picture and move the destination with it, so pixels
    // outside the source are left alone instead of being invented.
    const QRect src = sourceRect.intersected(source.rect());
    if (src.isEmpty())
        return;
    const QRect target(dest.topLeft() + (src.topLeft() - sourceRect.topLeft()), src.size());
    const QPainter::CompositionMode mode = compositionFor(m_mode);
    bool painted = false;
    {
        // The source is let go before the listener runs: a repaint that draws on the source
        // canvas would otherwise copy all of it, since this reference shares its pixels.
        const QImage rgb = asRgb32(source);
        painted = paintPixels(target, [&](QPainter& p) {
            p.setCompositionMode(mode);
            p.drawImage(target.topLeft(), rgb, src);
        });
    }
    if (painted)
        changed(target);
}

void Canvas::draw(int x, int y, const QImage& picture) {
    blit(QRect(QPoint(x, y), picture.size()), picture, picture.rect());
}

void Canvas::copyFrom(const QRect& dest, const QImage& source, const QPoint& sourcePos) {
    if (dest.width() <= 0 || dest.height() <= 0)
        return;
    blit(dest, source, QRect(sourcePos, dest.size()));
}

void Canvas::stretchDraw(const QRect& dest, const QImage& picture) {
    if (dest.width() <= 0 || dest.height() <= 0 || picture.isNull())
        return;
    const QImage rgb = asRgb32(picture);
    const QPainter::CompositionMode mode = compositionFor(m_mode);
    paintWith(dest, [&](QPainter& p) {
        p.setCompositionMode(mode);
        p.drawImage(dest, rgb);
    });
}

void Canvas::fillRect(const QRect& rect) {
    const QColor color = opaque(m_brush);
    paintWith(rect.normalized(), [&](QPainter& p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(rect.normalized(), color);
    });
}

void Canvas::frameRect(const QRect& rect) {
    const QRect r = rect.normalized();
    if (r.isEmpty())
        return;
    ++m_hold;
    fillRect(QRect(r.left(), r.top(), r.width(), 1));
    fillRect(QRect(r.left(), r.bottom(), r.width(), 1));
    fillRect(QRect(r.left(), r.top(), 1, r.height()));
    fillRect(QRect(r.right(), r.top(), 1, r.height()));
    --m_hold;
    changed(std::exchange(m_held, QRect()));
}

void Canvas::drawMasked(int x, int y, const QImage& mask, const QImage& picture) {
    ++m_hold;
    m_mode = CopyMode::SrcPaint;
    draw(x, y, mask);
    m_mode = CopyMode::SrcAnd;
    draw(x, y, picture);
    m_mode = CopyMode::SrcCopy;
    --m_hold;
    changed(std::exchange(m_held, QRect()));
}
