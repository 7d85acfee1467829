#include "buttonpainter.h"

#include "interfacenames.h"
#include "interfacestyle.h"

#include <QPainter>
#include <QPainterPath>

using S = InterfaceStyle;

namespace {

struct Look {
    QColor colour;
    QString label; // empty for round symbol-only buttons
    bool round;
};

Look lookOf(const QString& name) {
    if (name == "pomoc")
        return {S::sun().darker(104), "", true};
    if (name == "stop")
        return {S::red(), "", true};
    if (name == "nast")
        return {S::green(), "", true};
    if (name == "pop")
        return {S::blue(), "", true};
    if (name == "start")
        return {S::green(), "Start", false};
    if (name == "wyjdz")
        return {S::red(), QString::fromUtf8("Wyjdź"), false};
    if (name == "oprogramie")
        return {S::blue(), "O programie", false};
    if (name == "postepy")
        return {S::purple(), QString::fromUtf8("Postępy"), false};
    if (name == "wzorce")
        return {S::orange(), "Wzorce", false};
    if (name == "lusterko")
        return {S::pink(), "Lusterko", false};
    if (name == "rrec")
        return {S::pink(), "Nagraj", false};
    if (name == "rodtworz")
        return {S::teal(), QString::fromUtf8("Odtwórz"), false};
    if (name == "rstop")
        return {S::orange(), "Stop", false};
    if (name == "muzyka")
        return {S::teal(), "", true};
    if (name == "muzykawyl")
        return {S::teal().darker(125), "", true};
    return {S::blue(), "", true}; // up, down
}

// A loudspeaker: a box and its cone, facing right, in the left part of box.
void speaker(QPainter& p, const QRectF& box) {
    const qreal w = box.width(), h = box.height();
    QPolygonF shape;
    shape << QPointF(0, h * 0.34) << QPointF(w * 0.24, h * 0.34) << QPointF(w * 0.52, h * 0.08)
          << QPointF(w * 0.52, h * 0.92) << QPointF(w * 0.24, h * 0.66) << QPointF(0, h * 0.66);
    p.drawPolygon(shape.translated(box.topLeft()));
}

QPainterPath arrow(const QRectF& box, bool right) {
    // A fat arrow pointing right, mirrored for left.
    const qreal w = box.width(), h = box.height();
    QPolygonF poly;
    poly << QPointF(0, h * 0.32) << QPointF(w * 0.5, h * 0.32) << QPointF(w * 0.5, h * 0.05)
         << QPointF(w, h * 0.5) << QPointF(w * 0.5, h * 0.95) << QPointF(w * 0.5, h * 0.68)
         << QPointF(0, h * 0.68);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    QTransform t;
    if (right)
        t.translate(box.left(), box.top());
    else
        t.translate(box.right(), box.top()).scale(-1, 1);
    return t.map(path);
}

} // namespace

void ButtonPainter::drawSymbol(QPainter& p, const QString& name, const QRectF& box,
                               const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(S::ink(), qMax<qreal>(1.5, box.height() / 14), Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin);
    const QPointF c = box.center();
    const qreal r = qMin(box.width(), box.height()) / 2;
    if (name == "pomoc") {
        S::outlinedText(p, box, "?", S::childFont(box.height() * 1.05), Qt::white, S::ink(), 2);
    } else if (name == "stop" || name == "rstop") {
        // A stop hand: a white square with rounded corners reads as "stop" on any player.
        p.setPen(outline);
        p.setBrush(Qt::white);
        const qreal s = r * 1.2;
        p.drawRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), s * 0.18, s * 0.18);
    } else if (name == "nast" || name == "pop") {
        p.setPen(outline);
        p.setBrush(Qt::white);
        const QRectF a(c.x() - r * 0.85, c.y() - r * 0.75, r * 1.7, r * 1.5);
        p.drawPath(arrow(a, name == "nast"));
    } else if (name == "start" || name == "rodtworz") {
        p.setPen(outline);
        p.setBrush(Qt::white);
        QPolygonF tri;
        tri << QPointF(c.x() - r * 0.55, c.y() - r * 0.75) << QPointF(c.x() + r * 0.8, c.y())
            << QPointF(c.x() - r * 0.55, c.y() + r * 0.75);
        p.drawPolygon(tri);
    } else if (name == "wyjdz") {
        // A door standing open.
        p.setPen(outline);
        p.setBrush(QColor(0xFF, 0xE9, 0xC2));
        const QRectF frame(c.x() - r * 0.6, c.y() - r * 0.85, r * 1.2, r * 1.7);
        p.drawRect(frame);
        QPolygonF door;
        door << frame.topLeft()
             << QPointF(frame.left() + frame.width() * 0.7, frame.top() + r * 0.2)
             << QPointF(frame.left() + frame.width() * 0.7, frame.bottom() + r * 0.05)
             << frame.bottomLeft();
        p.setBrush(Qt::white);
        p.drawPolygon(door);
        p.setBrush(S::ink());
        p.drawEllipse(QPointF(frame.left() + frame.width() * 0.55, c.y()), r * 0.07, r * 0.07);
    } else if (name == "oprogramie") {
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawEllipse(c, r * 0.85, r * 0.85);
        S::outlinedText(p, QRectF(c.x() - r, c.y() - r * 0.75, 2 * r, 1.5 * r), "i",
                        S::childFont(r * 1.35), colour.darker(115), colour.darker(115), 0);
    } else if (name == "postepy") {
        // Three bars growing to the right on a white card: the child's results rising.
        p.setPen(outline);
        p.setBrush(Qt::white);
        const QRectF card(c.x() - r * 1.05, c.y() - r * 0.9, r * 2.1, r * 1.8);
        p.drawRoundedRect(card, r * 0.18, r * 0.18);
        const QColor bars[] = {S::orange(), S::sun(), S::green()};
        const qreal barWidth = card.width() * 0.2;
        const qreal floor = card.bottom() - card.height() * 0.14;
        for (int i = 0; i < 3; ++i) {
            const qreal height = card.height() * (0.28 + 0.2 * i);
            const QRectF bar(card.left() + card.width() * (0.12 + 0.27 * i), floor - height,
                             barWidth, height);
            p.setPen(QPen(S::ink(), qMax<qreal>(1.0, box.height() / 22)));
            p.setBrush(bars[i]);
            p.drawRect(bar);
        }
    } else if (name == "wzorce") {
        // A microphone on a white card: the therapist's own recordings of the words.
        p.setPen(outline);
        p.setBrush(Qt::white);
        const QRectF card(c.x() - r * 1.05, c.y() - r * 0.9, r * 2.1, r * 1.8);
        p.drawRoundedRect(card, r * 0.18, r * 0.18);
        const qreal u = card.height() / 10;
        const qreal mx = card.center().x();
        const qreal top = card.top() + 1.0 * u;
        p.setBrush(S::orange().lighter(130));
        p.drawRoundedRect(QRectF(mx - 1.6 * u, top, 3.2 * u, 5 * u), 1.6 * u, 1.6 * u);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(mx - 2.7 * u, top + 1.4 * u, 5.4 * u, 5.4 * u), 200 * 16, 140 * 16);
        p.drawLine(QPointF(mx, top + 6.8 * u), QPointF(mx, top + 7.9 * u));
        p.drawLine(QPointF(mx - 1.8 * u, top + 8.0 * u), QPointF(mx + 1.8 * u, top + 8.0 * u));
        // Sound waves on both sides.
        for (const qreal side : {-1.0, 1.0}) {
            const QRectF wave(mx + side * 3.6 * u - 1.2 * u, top + 1.2 * u, 2.4 * u, 3.6 * u);
            p.drawArc(wave, side > 0 ? -60 * 16 : 120 * 16, 120 * 16);
        }
    } else if (name == "lusterko") {
        // A hand mirror with a shine on its glass: the child sees its own sound.
        p.setPen(outline);
        p.setBrush(QColor(0xFF, 0xE9, 0xC2));
        const qreal u = r / 10;
        const QPointF glass(c.x(), c.y() - 2 * u);
        p.save();
        p.translate(c);
        p.rotate(-25);
        p.translate(-c);
        p.drawRoundedRect(QRectF(c.x() - 1.4 * u, c.y() + 3 * u, 2.8 * u, 6.5 * u), 1.2 * u,
                          1.2 * u);
        p.drawEllipse(glass, 6.4 * u, 7.2 * u);
        p.setBrush(QColor(0xCF, 0xEC, 0xFF));
        p.drawEllipse(glass, 4.8 * u, 5.6 * u);
        p.setPen(QPen(Qt::white, qMax<qreal>(1.5, 1.2 * u), Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(glass.x() - 3.4 * u, glass.y() - 4.2 * u, 6.8 * u, 8.4 * u), 120 * 16,
                  40 * 16);
        // The smile it reflects: no magnifying glass.
        p.restore();
        p.setPen(QPen(S::ink(), qMax<qreal>(1.2, 0.9 * u), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(S::ink());
        const QPointF face = QPointF(c.x() - 0.85 * u, c.y() - 1.8 * u); // the glass, turned
        p.drawEllipse(face + QPointF(-1.6 * u, -1.2 * u), 0.55 * u, 0.55 * u);
        p.drawEllipse(face + QPointF(1.6 * u, -1.2 * u), 0.55 * u, 0.55 * u);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(face.x() - 2.6 * u, face.y() - 2.2 * u, 5.2 * u, 5 * u), 200 * 16,
                  140 * 16);
    } else if (name == "rrec") {
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawEllipse(c, r * 0.8, r * 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(S::red());
        p.drawEllipse(c, r * 0.52, r * 0.52);
    } else if (name == "muzyka" || name == "muzykawyl") {
        p.setPen(outline);
        p.setBrush(Qt::white);
        const QRectF body(box.left(), box.top() + box.height() * 0.1, box.width() * 0.95,
                          box.height() * 0.8);
        speaker(p, body);
        const QPointF mouth(body.left() + body.width() * 0.56, body.center().y());
        if (name == "muzyka") {
            // Two sound waves.
            p.setBrush(Qt::NoBrush);
            p.setPen(
                QPen(Qt::white, qMax<qreal>(2, box.height() / 9), Qt::SolidLine, Qt::RoundCap));
            for (const qreal radius : {body.width() * 0.2, body.width() * 0.4}) {
                const QRectF arc(mouth.x() - radius, mouth.y() - radius, 2 * radius, 2 * radius);
                p.drawArc(arc, -50 * 16, 100 * 16);
            }
        } else {
            // Silence: a red cross beside the cone.
            p.setPen(
                QPen(S::red(), qMax<qreal>(2.5, box.height() / 7), Qt::SolidLine, Qt::RoundCap));
            const qreal s = body.width() * 0.17;
            const QPointF c2(body.left() + body.width() * 0.8, body.center().y());
            p.drawLine(c2 + QPointF(-s, -s), c2 + QPointF(s, s));
            p.drawLine(c2 + QPointF(-s, s), c2 + QPointF(s, -s));
        }
    } else if (name == "up" || name == "down") {
        p.setPen(QPen(S::ink(), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        QPolygonF tri;
        const qreal d = name == "up" ? -1 : 1;
        tri << QPointF(c.x() - r * 0.7, c.y() - d * r * 0.4)
            << QPointF(c.x() + r * 0.7, c.y() - d * r * 0.4)
            << QPointF(c.x(), c.y() + d * r * 0.55);
        p.drawPolygon(tri);
    }
    p.restore();
}

void ButtonPainter::draw(QPainter& p, const QString& name, QSize size, State state) {
    const Look look = lookOf(name);
    QColor base = look.colour;
    if (state == State::Hover)
        base = base.lighter(118);
    else if (state == State::Pressed)
        base = base.darker(118);
    // Pressed: the symbol sinks a little while the outline stays, so the mask fits all states.
    const QPointF push =
        state == State::Pressed ? QPointF(0, qMax(1, size.height() / 30)) : QPointF();
    const qreal outlineWidth = size.height() >= 40 ? 2.5 : 1.5;

    if (look.round) {
        const qreal d = qMin(size.width(), size.height()) - 2;
        const QRectF circle((size.width() - d) / 2.0, (size.height() - d) / 2.0, d, d);
        S::glossyEllipse(p, circle, base, outlineWidth);
        if (state == State::Hover) {
            p.setPen(QPen(QColor(255, 255, 255, 200), 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(circle.adjusted(4, 4, -4, -4));
        }
        const qreal inset = d * 0.24;
        drawSymbol(p, name, circle.adjusted(inset, inset, -inset, -inset).translated(push), base);
        return;
    }

    const QRectF body(1, 1, size.width() - 2, size.height() - 2);
    S::glossyRoundRect(p, body, 16, base, outlineWidth);
    if (state == State::Hover) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.adjusted(4, 4, -4, -4), 12, 12);
    }
    const QRectF symbol(body.left() + body.width() * 0.28, body.top() + body.height() * 0.1,
                        body.width() * 0.44, body.height() * 0.5);
    drawSymbol(p, name, symbol.translated(push), base);
    const QRectF label(body.left() + 3, body.top() + body.height() * 0.64, body.width() - 6,
                       body.height() * 0.3);
    const QFont font = S::fitFont(look.label, label.size(), body.height() * 0.27);
    S::outlinedText(p, label.translated(push), look.label, font, Qt::white, S::ink(), 1.6);
}

ButtonPainter::Set ButtonPainter::imageButton(const QString& name) {
    const QSize size = InterfaceNames::imageButtonSize(name);
    if (!size.isValid())
        return {};
    QList<QImage> layers;
    for (State state : {State::Normal, State::Hover, State::Pressed}) {
        QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        draw(p, name, size, state);
        p.end();
        layers << canvas;
    }
    Set set;
    set.mask = MaskedPicture::unionMask(layers);
    set.normal = MaskedPicture::pictureFor(layers[0], set.mask, S::ink());
    set.hover = MaskedPicture::pictureFor(layers[1], set.mask, S::ink());
    set.pressed = MaskedPicture::pictureFor(layers[2], set.mask, S::ink());
    return set;
}

MaskedPicture ButtonPainter::scrollThumb() {
    const QSize size = InterfaceNames::scrollThumbSize();
    return MaskedPicture::render(size, S::ink(), [&](QPainter& p) {
        const QRectF body(0.5, 0.5, size.width() - 1, size.height() - 1);
        S::glossyRoundRect(p, body, size.height() / 2.0, S::orange(), 1.2);
    });
}
