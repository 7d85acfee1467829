#include "menupiecepainter.h"

#include "interfacenames.h"
#include "interfacestyle.h"

#include <QPainter>

using S = InterfaceStyle;

namespace {

// Which row a check button belongs to and its place in the row.
struct Kind {
    enum Row { Task, Sound, Position, ListRow, None } row;
    int index;
};

Kind kindOf(const QString& base) {
    if (base == InterfaceNames::rowCheckButton())
        return {Kind::ListRow, 0};
    static const QStringList tasks = {"malo", "srednio", "duzo"};
    static const QStringList sounds = {"SZ", "ZZ", "CZ", "DZZ"};
    static const QStringList positions = {"naglos", "srodglos", "wyglos"};
    if (!base.startsWith("s_") && !base.startsWith("b_"))
        return {Kind::None, 0};
    const QString stem = base.mid(2);
    if (tasks.contains(stem))
        return {Kind::Task, int(tasks.indexOf(stem))};
    if (sounds.contains(stem))
        return {Kind::Sound, int(sounds.indexOf(stem))};
    if (positions.contains(stem))
        return {Kind::Position, int(positions.indexOf(stem))};
    return {Kind::None, 0};
}

QColor rowColour(const Kind& k) {
    switch (k.row) {
    case Kind::Task:
        return S::orange();
    case Kind::Sound:
        return S::groupColour(k.index);
    case Kind::Position:
        return S::pink();
    default:
        return S::green();
    }
}

void tickBox(QPainter& p, const QPointF& centre, qreal radius, bool on, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(on ? S::ink() : QColor(0xA9, 0xA5, 0xC8), qMax<qreal>(1.5, radius / 5)));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    if (on) {
        QPainterPath tick;
        tick.moveTo(centre + QPointF(-radius * 0.5, 0));
        tick.lineTo(centre + QPointF(-radius * 0.1, radius * 0.42));
        tick.lineTo(centre + QPointF(radius * 0.6, -radius * 0.48));
        p.setPen(
            QPen(colour.darker(115), radius * 0.38, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    p.restore();
}

// Three small boxes standing for a word, the one at the position highlighted.
void positionDiagram(QPainter& p, const QRectF& box, int position, bool on, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal gap = box.width() * 0.08;
    const qreal w = (box.width() - 2 * gap) / 3;
    for (int i = 0; i < 3; ++i) {
        const QRectF cell(box.left() + i * (w + gap), box.top(), w, box.height());
        const bool marked = i == position;
        p.setPen(QPen(on ? S::ink() : QColor(0xA9, 0xA5, 0xC8), 1.2));
        p.setBrush(marked ? (on ? S::red() : QColor(0xF4, 0xB5, 0xB5))
                          : (on ? Qt::white : QColor(0xF1, 0xF0, 0xF7)));
        p.drawRoundedRect(cell, 2.5, 2.5);
    }
    Q_UNUSED(colour);
    p.restore();
}

} // namespace

QString MenuPiecePainter::checkButtonText(const QString& base) {
    const Kind k = kindOf(base);
    switch (k.row) {
    case Kind::Task:
        return QStringList{QString::fromUtf8("mało"), QString::fromUtf8("średnio"),
                           QString::fromUtf8("dużo")}[k.index];
    case Kind::Sound:
        return QStringList{"SZ", QString::fromUtf8("Ż/RZ"), "CZ", QString::fromUtf8("DŻ")}[k.index];
    case Kind::Position:
        return QStringList{QString::fromUtf8("nagłos"), QString::fromUtf8("śródgłos"),
                           QString::fromUtf8("wygłos")}[k.index];
    default:
        return {};
    }
}

QString MenuPiecePainter::captionText(const QString& name) {
    if (name.startsWith("nap_ilzadan"))
        return QString::fromUtf8("Liczba zadań");
    if (name.startsWith("nap_gloski"))
        return QString::fromUtf8("Głoski");
    if (name.startsWith("nap_pozycja"))
        return QString::fromUtf8("Pozycja głoski");
    return {};
}

QImage MenuPiecePainter::checkButton(const QString& base, bool on) {
    const Kind k = kindOf(base);
    const QSize size = InterfaceNames::checkButtonSize(base);
    if (k.row == Kind::None || !size.isValid())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(S::panel());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = rowColour(k);
    const QColor offLine(0xA9, 0xA5, 0xC8);

    if (k.row == Kind::ListRow) {
        const QRectF body(2, 2, size.width() - 4, size.height() - 4);
        if (on)
            S::glossyRoundRect(p, body, 6, colour, 1.5);
        else {
            p.setPen(QPen(offLine, 1.5));
            p.setBrush(Qt::white);
            p.drawRoundedRect(body, 6, 6);
        }
        if (on)
            tickBox(p, body.center(), body.width() * 0.32, true, colour);
        return image;
    }

    const QRectF body(2, 2, size.width() - 4, size.height() - 4);
    const qreal radius = body.height() * 0.3;
    if (on) {
        S::glossyRoundRect(p, body, radius, colour, 2.2);
    } else {
        p.setPen(QPen(offLine, 2, Qt::DashLine));
        p.setBrush(QColor(0xFF, 0xFF, 0xFF));
        p.drawRoundedRect(body.adjusted(1, 1, -1, -1), radius, radius);
    }
    const QString text = checkButtonText(base);
    const QColor textFill = on ? Qt::white : QColor(0x8C, 0x88, 0xAE);
    const QColor textLine = on ? S::ink() : QColor(0, 0, 0, 0);
    const qreal h = body.height();

    if (k.row == Kind::Sound) {
        // The group's letters fill the button; the tick sits in the top right corner.
        const QRectF textBox(body.left() + 4, body.top() + h * 0.12, body.width() - 8, h * 0.76);
        const QFont font = S::fitFont(text, textBox.size(), h * 0.56);
        S::outlinedText(p, textBox, text, font, textFill, textLine, on ? 2 : 0);
        if (on)
            tickBox(p, QPointF(body.right() - h * 0.16, body.top() + h * 0.18), h * 0.14, true,
                    colour);
        return image;
    }

    // Task counts and positions: a tick box on the left, the word on the right, and under the
    // word a hint of its meaning (dots for the count, a word diagram for the position).
    const qreal boxRadius = h * 0.2;
    const QPointF boxCentre(body.left() + h * 0.12 + boxRadius + 2, body.center().y());
    tickBox(p, boxCentre, boxRadius, on, colour);
    const qreal textLeft = boxCentre.x() + boxRadius + 5;
    const QRectF textBox(textLeft, body.top() + h * 0.1, body.right() - 5 - textLeft, h * 0.5);
    const QFont font = S::fitFont(text, textBox.size(), h * 0.42);
    S::outlinedText(p, textBox, text, font, textFill, textLine, on ? 1.6 : 0);
    const QRectF hint(textLeft, body.top() + h * 0.66, textBox.width(), h * 0.22);
    if (k.row == Kind::Task) {
        const qreal r = hint.height() / 2;
        const int count = k.index + 1;
        const qreal step = r * 2.6;
        const qreal start = hint.center().x() - (count - 1) * step / 2;
        for (int i = 0; i < count; ++i)
            S::star(p, QPointF(start + i * step, hint.center().y()), r * 1.25,
                    on ? S::sun() : QColor(0xE4, 0xE2, 0xEE), on ? 1.2 : 0);
    } else {
        const qreal w = qMin(hint.width(), hint.height() * 4.2);
        positionDiagram(p, QRectF(hint.center().x() - w / 2, hint.top(), w, hint.height()), k.index,
                        on, colour);
    }
    return image;
}

QImage MenuPiecePainter::caption(const QString& name) {
    QSize size;
    for (InterfaceNames::Variant v : InterfaceNames::variants())
        if (InterfaceNames::captions(v).contains(name))
            size = InterfaceNames::captionSize(v);
    if (!size.isValid())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(S::panel());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal h = size.height();
    // A small star, then the words, with a soft underline.
    S::star(p, QPointF(h * 0.42, h * 0.45), h * 0.34, S::sun(), 1.4);
    const QString text = captionText(name);
    const QRectF textBox(h * 0.95, 0, size.width() - h * 0.95 - 2, h * 0.86);
    const QFont font = S::fitFont(text, textBox.size(), h * 0.64);
    S::outlinedText(p, textBox, text, font, S::ink(), S::ink(), 0,
                    Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(QColor(0xFF, 0xC8, 0x7A), qMax<qreal>(2, h / 12), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(h * 0.95, h - 3), QPointF(size.width() - 8, h - 3));
    return image;
}
