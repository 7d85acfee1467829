#include "lettertilepainter.h"

#include "interfacenames.h"
#include "interfacestyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

using S = InterfaceStyle;

QImage LetterTilePainter::tile(const QString& text, Kind kind, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const bool question = text == InterfaceNames::questionTile();
    QColor face;
    if (kind == Kind::Red)
        face = S::red();
    else if (question)
        face = QColor(0xC9, 0xEC, 0xFF);
    else
        face = QColor(0xFF, 0xFB, 0xEE);
    image.fill(S::ink());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The tile fills its square (it is drawn without a mask): a dark rim, a gently lit face
    // and a shaded lower edge, like a wooden letter block.
    const qreal rim = size.width() >= 50 ? 2.5 : 2;
    const QRectF faceRect(rim, rim, size.width() - 2 * rim, size.height() - 2 * rim);
    QLinearGradient g(faceRect.topLeft(), faceRect.bottomLeft());
    g.setColorAt(0, face.lighter(108));
    g.setColorAt(0.75, face);
    g.setColorAt(1, face.darker(112));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(faceRect, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.drawLine(QPointF(faceRect.left() + 4, faceRect.top() + 1.5),
               QPointF(faceRect.right() - 4, faceRect.top() + 1.5));

    const QString shown = question ? "?" : text;
    const QColor ink = kind == Kind::Red ? QColor(Qt::white) : S::ink();
    const QRectF box = faceRect.adjusted(2, 1, -2, -1);
    // Single letters stand large; digraphs and trigraphs shrink to fit the width.
    const qreal maxSize = size.height() * (shown.size() == 1 ? 0.78 : 0.62);
    QFont font = S::fitFont(shown, QSizeF(box.width() - 2, box.height()), maxSize);
    // Every letter of a word shares one baseline, so that a row of tiles reads as a word: the
    // band from the capital height down to a short descender is centred on the tile. The
    // question mark is centred on its own ink.
    const QFontMetricsF metrics(font);
    const QRectF inkBox = metrics.tightBoundingRect(shown);
    qreal baseline;
    if (question) {
        baseline = box.center().y() - inkBox.center().y();
    } else {
        const qreal descender = metrics.descent() * 0.7;
        baseline = box.center().y() + (metrics.capHeight() - descender) / 2;
    }
    const QPointF origin(box.center().x() - inkBox.center().x(), baseline);
    // Font outlines overlap where strokes cross (the bar of t, f and ł) and are meant to be
    // filled by the non-zero rule; the path's default odd-even rule leaves holes there.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addText(origin, font, shown);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(path);
    return image;
}
