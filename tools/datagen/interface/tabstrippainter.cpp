#include "tabstrippainter.h"

#include "backgroundpainter.h"
#include "interfacestyle.h"

#include <QPainter>
#include <QPainterPath>

using S = InterfaceStyle;

namespace {

void letterTile(QPainter& p, const QRectF& r, const QString& letter, const QColor& face,
                const QColor& ink) {
    p.setPen(QPen(S::ink(), 1.5));
    p.setBrush(face);
    p.drawRoundedRect(r, r.width() * 0.15, r.width() * 0.15);
    S::outlinedText(p, r, letter, S::childFont(r.height() * 0.72), ink, ink, 0);
}

// A little picture for each game, in box.
void icon(QPainter& p, int tab, const QRectF& box, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = box.width() / 10;
    switch (tab) {
    case 1: { // labelling: a picture and the letters under it
        p.setPen(QPen(S::ink(), 1.5));
        p.setBrush(Qt::white);
        const QRectF frame(box.left() + u, box.top(), 8 * u, 5 * u);
        p.drawRoundedRect(frame, u, u);
        S::sunWithRays(p, frame.center() + QPointF(-u, -0.3 * u), 1.1 * u);
        letterTile(p, QRectF(box.left(), box.top() + 6 * u, 3 * u, 3 * u), "a", S::panel(),
                   S::ink());
        letterTile(p, QRectF(box.left() + 3.5 * u, box.top() + 6 * u, 3 * u, 3 * u), "b", S::red(),
                   Qt::white);
        letterTile(p, QRectF(box.left() + 7 * u, box.top() + 6 * u, 3 * u, 3 * u), "c", S::panel(),
                   S::ink());
        break;
    }
    case 2: { // Memory: two cards, one turned
        p.setPen(QPen(S::ink(), 1.5));
        p.setBrush(colour.darker(120));
        p.save();
        p.translate(box.left() + 3 * u, box.top() + 5 * u);
        p.rotate(-10);
        p.drawRoundedRect(QRectF(-2.5 * u, -3.5 * u, 5 * u, 7 * u), u, u);
        S::star(p, QPointF(0, 0), 1.5 * u, S::sun(), 1);
        p.restore();
        p.translate(box.left() + 7 * u, box.top() + 5 * u);
        p.rotate(8);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(-2.5 * u, -3.5 * u, 5 * u, 7 * u), u, u);
        p.setBrush(S::red());
        QPainterPath heart;
        heart.moveTo(0, 1.6 * u);
        heart.cubicTo(-2.4 * u, 0, -1.2 * u, -2 * u, 0, -0.6 * u);
        heart.cubicTo(1.2 * u, -2 * u, 2.4 * u, 0, 0, 1.6 * u);
        p.drawPath(heart);
        break;
    }
    case 3: { // completing: a word with a gap
        letterTile(p, QRectF(box.left(), box.top() + 3 * u, 3 * u, 3 * u), "s", S::panel(),
                   S::ink());
        letterTile(p, QRectF(box.left() + 3.5 * u, box.top() + 3 * u, 3 * u, 3 * u), "?",
                   QColor(0xC9, 0xEC, 0xFF), S::ink());
        letterTile(p, QRectF(box.left() + 7 * u, box.top() + 3 * u, 3 * u, 3 * u), "k", S::panel(),
                   S::ink());
        break;
    }
    case 4: { // falling: pictures dropping
        p.setPen(QPen(S::ink(), 1.5));
        for (int i = 0; i < 3; ++i) {
            const QRectF card(box.left() + i * 3.4 * u, box.top() + (i % 2 ? 4 : 1) * u, 2.8 * u,
                              3.6 * u);
            p.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(card.topLeft() + QPointF(0.6 * u, -0.3 * u),
                       card.topLeft() + QPointF(0.6 * u, -1.3 * u));
            p.drawLine(card.topRight() + QPointF(-0.6 * u, -0.3 * u),
                       card.topRight() + QPointF(-0.6 * u, -1.3 * u));
            p.setPen(QPen(S::ink(), 1.5));
            p.setBrush(i == 1 ? S::sun() : Qt::white);
            p.drawRoundedRect(card, 0.6 * u, 0.6 * u);
        }
        p.setBrush(S::grass());
        p.drawRoundedRect(QRectF(box.left(), box.top() + 8.4 * u, 10 * u, 1.4 * u), 0.6 * u,
                          0.6 * u);
        break;
    }
    default: { // recordings: a microphone
        const QPointF c = box.center();
        p.setPen(QPen(S::ink(), 1.5));
        p.setBrush(QColor(0xE0, 0xE4, 0xF0));
        p.drawRoundedRect(QRectF(c.x() - 1.8 * u, box.top(), 3.6 * u, 6 * u), 1.8 * u, 1.8 * u);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(S::ink(), 1.6 * u / 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(c.x() - 3 * u, box.top() + 1.5 * u, 6 * u, 6 * u), 200 * 16, 140 * 16);
        p.drawLine(QPointF(c.x(), box.top() + 7.5 * u), QPointF(c.x(), box.top() + 9 * u));
        p.drawLine(QPointF(c.x() - 2 * u, box.top() + 9.3 * u),
                   QPointF(c.x() + 2 * u, box.top() + 9.3 * u));
        p.setPen(Qt::NoPen);
        p.setBrush(S::red());
        p.drawEllipse(QPointF(c.x() + 3.6 * u, box.top() + u), 0.8 * u, 0.8 * u);
        break;
    }
    }
    p.restore();
}

} // namespace

QList<QPair<int, int>> TabStripPainter::bands(InterfaceNames::Variant v) {
    if (v == InterfaceNames::Variant::Small)
        return {{6, 105}, {110, 190}, {200, 270}, {280, 345}, {360, 435}};
    return {{12, 140}, {150, 250}, {260, 350}, {360, 450}, {460, 570}};
}

QString TabStripPainter::label(int tab) {
    switch (tab) {
    case 1:
        return "Podpisywanie";
    case 2:
        return "Memory";
    case 3:
        return QString::fromUtf8("Uzupełnianie");
    case 4:
        return QString::fromUtf8("Spadające");
    default:
        return "Nagrania";
    }
}

QImage TabStripPainter::strip(InterfaceNames::Variant v, int tab) {
    const QRect where = BackgroundPainter::tabStrip(v);
    QImage image = BackgroundPainter::menu(v).copy(where);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF panel = BackgroundPainter::menuPanel(v);
    const qreal panelEdge = panel.right() - where.left(); // the panel's border inside the strip
    const qreal right = where.width() - 6;
    const bool small = v == InterfaceNames::Variant::Small;
    const QList<QPair<int, int>> list = bands(v);
    for (int t = 1; t <= 5; ++t) {
        // A tab is drawn inside its band (the band is where a press selects it) and never
        // below the panel it joins: the last band of the big variant reaches past the panel.
        const qreal panelBottom = panel.bottom() - where.top() - 2;
        const qreal top = list[t - 1].first;
        const qreal bottom = qMin<qreal>(list[t - 1].second + 1, panelBottom);
        const bool selected = t == tab;
        const QColor colour = S::tabColour(t - 1);
        const qreal radius = small ? 16 : 20;
        QRectF body;
        if (selected) {
            // Panel-coloured and open on the left, so that it continues the panel.
            body = QRectF(0, top, right, bottom - top);
            QPainterPath fill;
            fill.addRoundedRect(QRectF(-30, top, right + 30, bottom - top), radius, radius);
            p.setPen(Qt::NoPen);
            p.setBrush(S::panel());
            p.drawPath(fill);
            QPainterPath edge;
            edge.moveTo(panelEdge, top);
            edge.lineTo(right - radius, top);
            edge.arcTo(QRectF(right - 2 * radius, top, 2 * radius, 2 * radius), 90, -90);
            edge.lineTo(right, bottom - radius);
            edge.arcTo(QRectF(right - 2 * radius, bottom - 2 * radius, 2 * radius, 2 * radius), 0,
                       -90);
            edge.lineTo(panelEdge, bottom);
            p.setPen(QPen(S::ink(), 3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(edge);
            // Colour marker along the tab's right side.
            p.setPen(QPen(colour, 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(right - 8, top + radius), QPointF(right - 8, bottom - radius));
        } else {
            body = QRectF(panelEdge + 4, top + 2, right - panelEdge - 10, bottom - top - 4);
            S::glossyRoundRect(p, body, radius, colour, 2.5);
        }
        const qreal h = bottom - top;
        const qreal iconSize = qMin(h * 0.62, small ? 52.0 : 66.0);
        const QRectF iconBox(panelEdge + 14, top + (h - iconSize) / 2, iconSize, iconSize);
        icon(p, t, iconBox, colour);
        const QRectF textBox(iconBox.right() + 8, top, right - iconBox.right() - 22, h);
        const QString text = label(t);
        const QFont font = S::fitFont(text, QSizeF(textBox.width(), h * 0.5), small ? 24 : 30);
        if (selected)
            S::outlinedText(p, textBox, text, font, colour.darker(125), S::ink(), 0,
                            Qt::AlignLeft | Qt::AlignVCenter);
        else
            S::outlinedText(p, textBox, text, font, Qt::white, S::ink(), 1.8,
                            Qt::AlignLeft | Qt::AlignVCenter);
    }
    return image;
}
