#include "menupiecepainter.h"

#include "interfacenames.h"
#include "interfacestyle.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <mutex>

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

qreal tickOutline(qreal radius) {
    return qMax<qreal>(1.5, radius / 5);
}

void tickBox(QPainter& p, const QPointF& centre, qreal radius, bool on, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(on ? S::ink() : QColor(0xA9, 0xA5, 0xC8), tickOutline(radius)));
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

// Where the parts of a check button go. The same in both states, so that nothing moves when
// the button is ticked; the words of a row share one size.
struct Layout {
    QRectF body;
    qreal radius = 0;
    qreal frame = 0; // the outline's width
    QPointF badgeCentre;
    qreal badgeRadius = 0;
    QRectF textBox;
    qreal textOutline = 0; // in the on state; the off state has none
    QRectF hint;
    QFont font;
};

// How far words keep from the frame, and the tick and the hint from whatever is near them.
constexpr qreal kFrameGap = 4.5;
constexpr qreal kTickGap = 3;

QStringList rowTexts(const QString& base) {
    const Kind k = kindOf(base);
    static const QHash<int, QStringList> stems = {
        {Kind::Task, {"malo", "srednio", "duzo"}},
        {Kind::Sound, {"SZ", "ZZ", "CZ", "DZZ"}},
        {Kind::Position, {"naglos", "srodglos", "wyglos"}},
    };
    QStringList texts;
    for (const QString& stem : stems.value(k.row))
        texts << MenuPiecePainter::checkButtonText(base.left(2) + stem);
    return texts;
}

Layout computeLayout(const QString& base) {
    const Kind k = kindOf(base);
    const QSize size = InterfaceNames::checkButtonSize(base);
    Layout l;
    if (k.row == Kind::None || !size.isValid())
        return l;
    l.body = QRectF(2, 2, size.width() - 4, size.height() - 4);
    const qreal h = l.body.height();
    if (k.row == Kind::ListRow) {
        l.radius = 6;
        l.frame = 1.5;
        l.badgeCentre = l.body.center();
        l.badgeRadius = l.body.width() * 0.29;
        return l;
    }
    l.radius = h * 0.3;
    l.frame = 2.2;
    const qreal inset = l.frame + kFrameGap;
    const QRectF inner = l.body.adjusted(inset, inset, -inset, -inset);
    // Words keep off everything outside the frame's inner curve.
    QPainterPath avoid;
    avoid.addRect(l.body.adjusted(-inset, -inset, inset, inset));
    // Its curves share their centres with the frame's, so the gap is the same all round.
    const qreal innerRadius = l.radius - l.frame / 2 - kFrameGap;
    QPainterPath innerShape;
    innerShape.addRoundedRect(inner, innerRadius, innerRadius);
    avoid = avoid.subtracted(innerShape);

    if (k.row == Kind::Sound) {
        // The tick sits in the top right corner, inside the corner's curve.
        l.badgeRadius = h * 0.12;
        // Out along the diagonal from the centre of the frame's corner curve, as far as the
        // tick's own outline allows.
        const QPointF curve(l.body.right() - l.frame / 2 - l.radius,
                            l.body.top() + l.frame / 2 + l.radius);
        const qreal reach = l.radius - l.frame / 2 - kTickGap - l.badgeRadius -
                            tickOutline(l.badgeRadius) / 2 - 0.5;
        l.badgeCentre = curve + QPointF(reach, -reach) / std::sqrt(2.0);
        // The letters sit below the tick's middle, as large as the tick above their right end
        // allows; accents may rise beside the tick.
        l.textOutline = 2;
        l.textBox = inner;
        l.textBox.setTop(l.badgeCentre.y() + l.badgeRadius);
        const qreal r = l.badgeRadius + tickOutline(l.badgeRadius) / 2 + kTickGap;
        QPainterPath tick;
        tick.addEllipse(l.badgeCentre, r, r);
        avoid = avoid.united(tick);
        l.font = S::fitInk(rowTexts(base), l.textBox, inner, h * 0.56, l.textOutline, avoid);
        return l;
    }

    // Task counts and positions: a tick circle on the left, the word on the right, and under
    // the word a hint of its meaning (stars for the count, a word diagram for the position).
    l.badgeRadius = h * 0.2;
    l.badgeCentre = QPointF(l.body.left() + h * 0.12 + l.badgeRadius + 2, l.body.center().y());
    const qreal textLeft = l.badgeCentre.x() + l.badgeRadius + 5;
    l.hint = QRectF(textLeft, l.body.top() + h * 0.68, inner.right() - textLeft, h * 0.2);
    l.textBox = QRectF(textLeft, inner.top(), inner.right() - textLeft,
                       l.hint.top() - kTickGap - inner.top());
    l.textOutline = 1.6;
    l.font = S::fitInk(rowTexts(base), l.textBox, l.textBox, h * 0.42, l.textOutline, avoid);
    return l;
}

// Fitting the words tries many sizes: each button's layout is worked out once. The pack's
// pictures may be drawn on several threads.
Layout layoutOf(const QString& base) {
    static std::mutex guard;
    static QHash<QString, Layout> cache;
    const std::lock_guard lock(guard);
    auto it = cache.constFind(base);
    if (it == cache.constEnd())
        it = cache.insert(base, computeLayout(base));
    return *it;
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
    if (kindOf(base).row == Kind::None || !InterfaceNames::checkButtonSize(base).isValid())
        return {};
    QImage image(InterfaceNames::checkButtonSize(base), QImage::Format_RGB32);
    image.fill(S::panel());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintCheckButton(p, base, on, AllParts);
    return image;
}

QFont MenuPiecePainter::checkButtonFont(const QString& base) {
    return layoutOf(base).font;
}

void MenuPiecePainter::paintCheckButton(QPainter& p, const QString& base, bool on, int parts) {
    const Kind k = kindOf(base);
    const Layout l = layoutOf(base);
    if (k.row == Kind::None || l.body.isEmpty())
        return;
    const QColor colour = rowColour(k);
    const QColor offLine(0xA9, 0xA5, 0xC8);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    if (parts & Body) {
        if (on) {
            S::glossyRoundRect(p, l.body, l.radius, colour, 0);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRoundedRect(l.body, l.radius, l.radius);
        }
    }
    if (parts & Frame) {
        // Drawn inside the body's edge, as wide as the body's outline.
        const QRectF edge = l.body.adjusted(l.frame / 2, l.frame / 2, -l.frame / 2, -l.frame / 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(on ? QPen(S::ink(), l.frame) : QPen(offLine, l.frame, Qt::DashLine));
        p.drawRoundedRect(edge, l.radius, l.radius);
    }
    // The list row's button shows its tick only when on; the other rows show an empty circle
    // when off, so that a child sees where the tick goes.
    if ((parts & Badge) && (on || k.row != Kind::ListRow))
        tickBox(p, l.badgeCentre, l.badgeRadius, on, colour);
    if ((parts & Text) && k.row != Kind::ListRow) {
        const QColor textFill = on ? Qt::white : QColor(0x8C, 0x88, 0xAE);
        S::outlinedText(p, l.textBox, checkButtonText(base), l.font, textFill,
                        on ? S::ink() : QColor(0, 0, 0, 0), on ? l.textOutline : 0);
    }
    if ((parts & Hint) && k.row == Kind::Task) {
        const qreal r = l.hint.height() / 2;
        const int count = k.index + 1;
        const qreal step = r * 2.6;
        const qreal start = l.hint.center().x() - (count - 1) * step / 2;
        for (int i = 0; i < count; ++i)
            S::star(p, QPointF(start + i * step, l.hint.center().y()), r * 1.25,
                    on ? S::sun() : QColor(0xE4, 0xE2, 0xEE), on ? 1.2 : 0);
    } else if ((parts & Hint) && k.row == Kind::Position) {
        const qreal w = qMin(l.hint.width(), l.hint.height() * 4.2);
        positionDiagram(p, QRectF(l.hint.center().x() - w / 2, l.hint.top(), w, l.hint.height()),
                        k.index, on, colour);
    }
    p.restore();
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
