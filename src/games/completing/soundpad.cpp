#include "soundpad.h"

#include "canvas.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal RadiusPerTile = 0.95;
constexpr int Outline = 3;
// Columns sampled on each side of a pad for the colour of its rows.
constexpr int SampleGap = 3;
// A picture stored as JPEG carries faint traces of a sharp outline a little beyond it.
constexpr int TraceMargin = 2;
constexpr int SampleWidth = 12;

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

void SoundPad::TakeOutOf(QImage& picture, const std::vector<QRect>& bounds) {
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    for (const QRect& pad : bounds) {
        const QRect wanted = pad.adjusted(-TraceMargin, -TraceMargin, TraceMargin, TraceMargin);
        const QRect area = wanted.intersected(picture.rect());
        if (area.isEmpty())
            continue;
        std::vector<int> columns;
        for (int i = 0; i < SampleWidth; ++i) {
            columns.push_back(area.left() - SampleGap - i);
            columns.push_back(area.right() + SampleGap + i);
        }
        std::erase_if(columns, [&](int x) { return x < 0 || x >= picture.width(); });
        if (columns.empty())
            continue;
        std::vector<int> r, g, b;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            // The median of the row beside the pad: a speck of decoration there does not count.
            r.clear();
            g.clear();
            b.clear();
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x : columns) {
                r.push_back(qRed(line[x]));
                g.push_back(qGreen(line[x]));
                b.push_back(qBlue(line[x]));
            }
            const auto median = [](std::vector<int>& v) {
                std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
                return v[v.size() / 2];
            };
            const QRgb colour = qRgb(median(r), median(g), median(b));
            // Only the round pad: what lies in the corners around it stays as it is.
            const qreal radius = wanted.width() / 2.0;
            const qreal dy = y + 0.5 - (wanted.top() + wanted.height() / 2.0);
            if (std::abs(dy) >= radius)
                continue;
            const qreal half = std::sqrt(radius * radius - dy * dy);
            const qreal cx = wanted.left() + wanted.width() / 2.0;
            const int from = std::max(area.left(), static_cast<int>(std::floor(cx - half)));
            const int to = std::min(area.right(), static_cast<int>(std::ceil(cx + half)));
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            std::fill(row + from, row + to + 1, colour);
        }
    }
}
