#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

// The one look of the interface: a bright palette, the Andika font for everything a child
// reads, and a few drawing helpers (glossy rounded shapes, outlined text, stars, clouds) that
// every picture of the pack is built from.
class InterfaceStyle {
public:
    // Palette.
    static QColor ink() { return {0x2E, 0x2A, 0x5A}; }   // outlines and text
    static QColor panel() { return {0xFF, 0xF7, 0xE3}; } // the menu's content panel
    static QColor sky() { return {0x8F, 0xD8, 0xFA}; }
    static QColor skyLight() { return {0xD6, 0xF1, 0xFF}; }
    static QColor grass() { return {0x7C, 0xC9, 0x5A}; }
    static QColor grassDark() { return {0x4F, 0x9E, 0x3A}; }
    static QColor sun() { return {0xFF, 0xD1, 0x3B}; }
    static QColor orange() { return {0xFF, 0x92, 0x3E}; }
    static QColor red() { return {0xE8, 0x3B, 0x3B}; }
    static QColor pink() { return {0xF2, 0x6B, 0xB5}; }
    static QColor purple() { return {0x9B, 0x6B, 0xE8}; }
    static QColor blue() { return {0x3C, 0x8D, 0xEB}; }
    static QColor teal() { return {0x1F, 0xBF, 0xB0}; }
    static QColor green() { return {0x4C, 0xB9, 0x4A}; }
    // The colour of sound group g (0 SZ, 1 Ż/RZ, 2 CZ, 3 DŻ) and of game tab t (0..4).
    static QColor groupColour(int g);
    static QColor tabColour(int t);

    // Andika (made for beginning readers) at a pixel size; falls back to DejaVu Sans when the
    // font is not installed.
    static QFont childFont(qreal pixelSize, bool bold = true);
    // The largest childFont size up to maxPixelSize at which text fits in box.
    static QFont fitFont(const QString& text, const QSizeF& box, qreal maxPixelSize,
                         bool bold = true);

    // The outline of text placed in box as outlinedText places it.
    static QPainterPath textPath(const QRectF& box, const QString& text, const QFont& font,
                                 int flags = 0x0084 /* Qt::AlignCenter */);
    // Everything outlinedText paints for text in box: its letters, accents and outline.
    static QRectF inkRect(const QRectF& box, const QString& text, const QFont& font,
                          qreal outlineWidth, int flags = 0x0084 /* Qt::AlignCenter */);
    // The largest childFont size up to maxPixelSize at which each of texts, placed in box,
    // keeps all its ink inside area and off the shape avoid; the words of one row share it, so
    // that they read as one set.
    static QFont fitInk(const QStringList& texts, const QRectF& box, const QRectF& area,
                        qreal maxPixelSize, qreal outlineWidth, const QPainterPath& avoid = {},
                        int flags = 0x0084 /* Qt::AlignCenter */);
    // Text centred in box, filled with fill and outlined (outline width 0: no outline).
    static void outlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                             const QColor& fill, const QColor& outline, qreal outlineWidth,
                             int flags = 0x0084 /* Qt::AlignCenter */);
    // A rounded rectangle with a top-lit gradient of base, a dark outline and a soft shine.
    static void glossyRoundRect(QPainter& p, const QRectF& r, qreal radius, const QColor& base,
                                qreal outlineWidth = 2.5);
    static void glossyEllipse(QPainter& p, const QRectF& r, const QColor& base,
                              qreal outlineWidth = 2.5);
    static QPainterPath starPath(const QPointF& centre, qreal outer, qreal inner, int points = 5);
    static void star(QPainter& p, const QPointF& centre, qreal outer, const QColor& fill,
                     qreal outlineWidth = 2);
    static void cloud(QPainter& p, const QRectF& r, const QColor& fill);
    static void sunWithRays(QPainter& p, const QPointF& centre, qreal radius);
    // A row of rounded hills along the bottom of r.
    static void hills(QPainter& p, const QRectF& r, const QColor& back, const QColor& front);
    // Soft dots scattered over r (deterministic for a seed).
    static void confetti(QPainter& p, const QRectF& r, int count, unsigned seed, qreal maxRadius,
                         int alpha);
    // A small flower.
    static void flower(QPainter& p, const QPointF& centre, qreal radius, const QColor& petals);

    static QColor lighter(const QColor& c, int percent) { return c.lighter(percent); }
    static QColor darker(const QColor& c, int percent) { return c.darker(percent); }
};
