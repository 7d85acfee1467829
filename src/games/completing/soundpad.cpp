#include "soundpad.h"

#include "canvas.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace {

constexpr qreal RadiusPerTile = 0.95;
constexpr int Outline = 3;

QPointF centreOf(QPoint buttonTopLeft, int tile) {
    return QPointF(buttonTopLeft.x() + tile / 2.0, buttonTopLeft.y() + tile / 2.0);
}

qreal radiusOf(int tile) {
    return tile * RadiusPerTile;
}

} // namespace

QRect SoundPad::Bounds(QPoint buttonTopLeft, int tile) {
    const QPointF c = centreOf(buttonTopLeft, tile);
    const qreal r = radiusOf(tile) + Outline;
    const QPoint topLeft(static_cast<int>(std::floor(c.x() - r)),
                         static_cast<int>(std::floor(c.y() - r)));
    const QPoint bottomRight(static_cast<int>(std::ceil(c.x() + r)),
                             static_cast<int>(std::ceil(c.y() + r)));
    return QRect(topLeft, bottomRight);
}

void SoundPad::Draw(Canvas& canvas, QPoint buttonTopLeft, int tile, Look look) {
    const QPointF c = centreOf(buttonTopLeft, tile);
    const qreal r = radiusOf(tile);
    const bool wrong = look == Look::Wrong;
    {
        QPainter p(&canvas.image());
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient fill(c, r);
        fill.setColorAt(0, wrong ? QColor(0xFF, 0xC8, 0xC8) : QColor(Qt::white));
        fill.setColorAt(1, wrong ? QColor(0xE8, 0x3A, 0x3A) : QColor(0xFF, 0xD7, 0x9C));
        p.setBrush(fill);
        p.setPen(QPen(wrong ? QColor(0xB0, 0x00, 0x00) : QColor(0x2E, 0x2A, 0x4F), Outline));
        p.drawEllipse(c, r, r);
    }
    canvas.changed(Bounds(buttonTopLeft, tile));
}
